#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CurveLayer.h"
#include "FileParser.h"
#include "JsonWriter.h"
#include "LowerCase.h"
#include "PictureOutput.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumLayers.h"
#include "VerbariumLayout.h"

using namespace Qt::Literals::StringLiterals;

namespace {

void writePoint(JsonWriter &json, QStringView name, QPointF point)
{
    json.key(name);
    json.beginArray();
    json.value(float(point.x()));
    json.value(float(point.y()));
    json.endArray();
}

QByteArray displayAsJson(const VerbariumPicture &picture, const Layer &root)
{
    const VerbariumTree &tree = *picture.tree;
    JsonWriter json;
    json.beginObject();
    json.field(u"width", float(picture.viewSize.width()));
    json.field(u"height", float(picture.viewSize.height()));
    json.field(u"maxCount", picture.maxCount);
    json.key(u"words");
    json.beginArray();
    for (const PlacedWord &word : picture.words) {
        json.beginObject();
        json.field(u"word", word.string.text);
        json.field(u"count", qint64(tree.count(word.node)));
        json.field(u"countOfLeaves", qint64(tree.countOfLeaves(word.node)));
        json.field(u"fontSize", float(word.string.fontSize));
        json.boxFields(word.position, word.size);
        json.endObject();
    }
    json.endArray();
    json.key(u"curves");
    json.beginArray();
    for (const auto &layer : root.sublayers()) {
        const auto *curve = dynamic_cast<const CurveLayer *>(layer.get());
        if (!curve)
            continue;
        const QRectF frameAsSet = curve->frameAsSet();
        json.beginObject();
        json.boxFields(frameAsSet.topLeft(), frameAsSet.size());
        writePoint(json, u"start", curve->startNode());
        writePoint(json, u"end", curve->endNode());
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

} // namespace

int verbariumCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"verbarium"_s,
        u"verbarium [FILE|-] --word WORD [--width W] [--height H] [--format json|svg|png] "
        "[--svg-outlines] [--scale N] [--output PATH]"_s,
        u"Lays out the verbarium of WORD (lower-cased) from its root in a view of W x H\n"
        "points (default 800 x 600), as the app does; the view grows to fit the words.\n"
        "json: {\"width\", \"height\", \"maxCount\", \"words\": [...], \"curves\": [...]}, in\n"
        "the order the display makes them; y grows upward.\n"
        "svg, png: the picture on a white ground; png goes to standard output only when\n"
        "that is not a terminal."_s);
    commandLine.addOption(QCommandLineOption(u"word"_s, u"The start word."_s, u"WORD"_s));
    commandLine.addViewSizeOptions();
    addPictureOptions(commandLine);
    if (const auto status = commandLine.parse(arguments))
        return *status;
    if (!commandLine.isSet(u"word"_s))
        return commandLine.badArguments(u"--word is required"_s);
    const std::optional<QSize> viewSize = commandLine.viewSize();
    if (!viewSize)
        return 2;
    const std::optional<PictureSettings> settings = pictureSettings(commandLine);
    if (!settings)
        return 2;

    const std::optional<QString> text = readCommandInput(commandLine.inputPath());
    if (!text)
        return 1;
    FileParser parser;
    parser.inputStrings(*text);
    const auto tree =
        growTree(TextIndex::build(parser.treeText()), lowerCased(commandLine.value(u"word"_s)));

    const QSizeF startSize(*viewSize);
    const FontMetricsMeasurer measurer;
    // A word without followers is shown as the start word alone.
    const VerbariumPicture picture = VerbariumLayout(measurer).displayVerbariumFromNode(
        tree, tree->root(), QRectF(QPointF(0, 0), startSize), startSize);
    const std::unique_ptr<Layer> root = verbariumLayers(picture, picture.viewSize);

    return writePicture(*settings, *root, picture.viewSize,
                        [&picture, &root] { return displayAsJson(picture, *root); });
}
