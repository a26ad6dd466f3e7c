#include "CommandIndexes.h"
#include "CommandLine.h"
#include "CommandTree.h"
#include "Commands.h"
#include "CurveLayer.h"
#include "JsonWriter.h"
#include "PictureOutput.h"
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

QByteArray displayAsJson(const VerbariumPicture &picture)
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
        json.field(u"word", tree.word(word.node));
        json.field(u"count", qint64(tree.count(word.node)));
        json.field(u"occurrences", qint64(tree.occurrences(word.node)));
        json.field(u"countOfLeaves", qint64(tree.countOfLeaves(word.node)));
        json.field(u"fontSize", float(word.string.fontSize));
        json.boxFields(word.position, word.size);
        json.endObject();
    }
    json.endArray();
    json.key(u"curves");
    json.beginArray();
    for (const PlacedCurve &placed : picture.curves) {
        const CurveGeometry curve = curveGeometry(placed.from, placed.to);
        json.beginObject();
        json.boxFields(curve.frameAsSet.topLeft(), curve.frameAsSet.size());
        writePoint(json, u"start", curve.startNode);
        writePoint(json, u"end", curve.endNode);
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
        u"verbarium [FILE|-] --word WORD [--before] [--width W] [--height H] "
        "[--layout default|spread] [--format json|svg|png] [--svg-outlines] [--scale N] "
        "[--output PATH]"_s,
        u"Lays out the verbarium of WORD (lower-cased; or a phrase of several words) from\n"
        "its root in a view of W x H points (default 800 x 600), as the app does; the view\n"
        "grows to fit the words. --before lays out the words that come before it, mirrored,\n"
        "its root at the right.\n"
        "default: bands in proportion to the leaves below each word, where crowded words\n"
        "may print over each other; spread: room for every word, as the app's View >\n"
        "Room for Every Word: each band as tall as what it holds, the view as tall as\n"
        "the bands.\n"
        "json: {\"width\", \"height\", \"maxCount\", \"words\": [...], \"curves\": [...]}, in\n"
        "the order the display makes them; y grows upward.\n"
        "svg, png: the picture on a white ground; png goes to standard output only when\n"
        "that is not a terminal."_s);
    addTreeOptions(commandLine);
    commandLine.addOption(QCommandLineOption(
        u"layout"_s, u"default or spread (room for every word)."_s, u"LAYOUT"_s, u"default"_s));
    commandLine.addViewSizeOptions();
    addPictureOptions(commandLine);
    if (const auto status = commandLine.parse(arguments))
        return *status;
    std::optional<CommandIndexes> indexes = CommandIndexes::fromOptions(commandLine);
    if (!indexes)
        return 2;
    if (const auto status = checkStartWord(commandLine))
        return *status;
    const std::optional<QSize> viewSize = commandLine.viewSize();
    if (!viewSize)
        return 2;
    const QString layoutName = commandLine.value(u"layout"_s);
    if (layoutName != u"default"_s && layoutName != u"spread"_s)
        return commandLine.badArguments(
            u"--layout must be default or spread, not \"%1\""_s.arg(layoutName));
    const std::optional<PictureSettings> settings = pictureSettings(commandLine);
    if (!settings)
        return 2;

    // The text goes once it is read into tokens: the index needs the room.
    const auto tree = commandTree(commandLine, *indexes);
    if (!tree)
        return 1;

    const QSizeF startSize(*viewSize);
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    // A word without followers is shown as the start word alone.
    VerbariumPicture picture =
        layoutName == u"spread"_s
            ? layout.spreadVerbariumFromNode(tree, tree->root(), startSize)
            : layout.displayVerbariumFromNode(tree, tree->root(), QRectF(QPointF(0, 0), startSize),
                                              startSize);
    if (commandLine.isSet(u"before"_s))
        picture = mirroredPicture(std::move(picture));
    const std::unique_ptr<Layer> root = verbariumLayers(picture, picture.viewSize);

    return writePicture(*settings, *root, picture.viewSize,
                        [&picture] { return displayAsJson(picture); });
}
