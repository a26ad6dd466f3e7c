#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CurveLayer.h"
#include "FileParser.h"
#include "JsonWriter.h"
#include "LowerCase.h"
#include "NodeLayer.h"
#include "PictureOutput.h"
#include "TreeText.h"
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

QByteArray displayAsJson(const VerbariumLayout &layout, QSizeF frame)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"width", float(frame.width()));
    json.field(u"height", float(frame.height()));
    json.field(u"maxCount", layout.maxCount());
    json.key(u"words");
    json.beginArray();
    for (const Layer *layer : layout.layers()) {
        const auto *word = dynamic_cast<const NodeLayer *>(layer);
        if (!word)
            continue;
        json.beginObject();
        json.field(u"word", word->node()->word());
        json.field(u"count", qint64(word->node()->count()));
        json.field(u"countOfLeaves", qint64(word->node()->countOfLeaves()));
        json.field(u"fontSize", float(word->string().fontSize));
        json.boxFields(word->position(), word->bounds().size());
        json.endObject();
    }
    json.endArray();
    json.key(u"curves");
    json.beginArray();
    for (const Layer *layer : layout.layers()) {
        const auto *curve = dynamic_cast<const CurveLayer *>(layer);
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
        "[--scale N] [--output PATH]"_s,
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
    const std::shared_ptr<Node> root =
        TreeText(parser.treeText()).growTree(lowerCased(commandLine.value(u"word"_s)));

    Layer rootLayer;
    const QSizeF startSize(*viewSize);
    rootLayer.setFrame(QRectF(QPointF(0, 0), startSize));
    const FontMetricsMeasurer measurer;
    VerbariumLayout layout(rootLayer, measurer);
    // Unlike the app, a word without followers is still shown: as the start word alone.
    const QSizeF frame = layout.displayVerbariumFromNode(root, startSize);
    rootLayer.setFrame(QRectF(QPointF(0, 0), frame));

    return writePicture(*settings, rootLayer, frame,
                        [&layout, frame] { return displayAsJson(layout, frame); });
}
