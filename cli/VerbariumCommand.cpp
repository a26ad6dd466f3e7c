#include "BothSidesPicture.h"
#include "CommandIndexes.h"
#include "CommandLine.h"
#include "CommandTree.h"
#include "Commands.h"
#include "CurveLayer.h"
#include "JsonWriter.h"
#include "OutputFile.h"
#include "PictureOutput.h"
#include "TreeJson.h"
#include "VerbariumLayers.h"
#include "VerbariumLayout.h"

#include <limits>

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

// The picture's words from first to before last; side, when not empty, says which side of
// a two-sided picture they stand on.
void writeWords(JsonWriter &json, const VerbariumPicture &picture, std::size_t first,
                std::size_t last, QStringView side = {})
{
    const VerbariumTree &tree = *picture.tree;
    for (std::size_t i = first; i < last; ++i) {
        const PlacedWord &word = picture.words[i];
        json.beginObject();
        if (!side.isEmpty())
            json.field(u"side", side);
        json.field(u"word", tree.word(word.node));
        json.field(u"count", qint64(tree.count(word.node)));
        json.field(u"occurrences", qint64(tree.occurrences(word.node)));
        json.field(u"countOfLeaves", qint64(tree.countOfLeaves(word.node)));
        json.field(u"fontSize", float(word.string.fontSize));
        json.boxFields(word.position, word.size);
        json.endObject();
    }
}

void writeCurves(JsonWriter &json, const VerbariumPicture &picture)
{
    for (const PlacedCurve &placed : picture.curves) {
        const CurveGeometry curve = curveGeometry(placed.from, placed.to);
        json.beginObject();
        json.boxFields(curve.frameAsSet.topLeft(), curve.frameAsSet.size());
        writePoint(json, u"start", curve.startNode);
        writePoint(json, u"end", curve.endNode);
        json.endObject();
    }
}

QByteArray displayAsJson(const VerbariumPicture &picture)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"width", float(picture.viewSize.width()));
    json.field(u"height", float(picture.viewSize.height()));
    json.field(u"maxCount", picture.maxCount);
    json.key(u"words");
    json.beginArray();
    writeWords(json, picture, 0, picture.words.size());
    json.endArray();
    json.key(u"curves");
    json.beginArray();
    writeCurves(json, picture);
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

// The trees of both sides as the tree command writes them, then the joined picture: the
// start word (side "start"), the words before, the words after, and the curves.
std::optional<QString> writeBothSidesAsJson(const BothSidesPicture &picture, OutputFile &output)
{
    JsonWriter json;
    const TreePieceDone pieceDone = [&output, &json] {
        return output.write(json.takeWrittenUtf8());
    };
    constexpr qint64 wholeTree = std::numeric_limits<qint64>::max();
    json.beginObject();
    json.key(u"before");
    if (auto problem = writeTreeAsJson(json, *picture.before.tree, wholeTree, pieceDone))
        return problem;
    json.key(u"after");
    if (auto problem = writeTreeAsJson(json, *picture.after.tree, wholeTree, pieceDone))
        return problem;
    json.field(u"width", float(picture.viewSize.width()));
    json.field(u"height", float(picture.viewSize.height()));
    json.key(u"words");
    json.beginArray();
    writeWords(json, picture.before, 0, 1, u"start");
    writeWords(json, picture.before, 1, picture.before.words.size(), u"before");
    writeWords(json, picture.after, 1, picture.after.words.size(), u"after");
    json.endArray();
    json.key(u"curves");
    json.beginArray();
    writeCurves(json, picture.before);
    writeCurves(json, picture.after);
    json.endArray();
    json.endObject();
    return output.write(json.toUtf8());
}

} // namespace

int verbariumCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"verbarium"_s,
        u"verbarium [FILE|DIR...|-] --word WORD [--before | --both] [--preceded-by P | "
        u"--followed-by P] "
        "[--width W] [--height H] "
        "[--layout default|spread] [--format json|svg|png] [--svg-outlines] [--scale N] "
        "[--output PATH]"_s,
        u"Lays out the verbarium of WORD (lower-cased; or a phrase of several words) from\n"
        "its root in a view of W x H points (default 800 x 600), as the app does; the view\n"
        "grows to fit the words. --before lays out the words that come before it, mirrored,\n"
        "its root at the right; --preceded-by and --followed-by as for tree. --both lays\n"
        "out both sides, each as it would be alone, the root shared: the words before at\n"
        "the left, the words after at the right.\n"
        "default: bands in proportion to the leaves below each word, where crowded words\n"
        "may print over each other; spread: room for every word, as the app's View >\n"
        "Room for Every Word: each band as tall as what it holds, the view as tall as\n"
        "the bands.\n"
        "json: {\"width\", \"height\", \"maxCount\", \"words\": [...], \"curves\": [...]}, in\n"
        "the order the display makes them; y grows upward. With --both: {\"before\": TREE,\n"
        "\"after\": TREE, \"width\", \"height\", \"words\", \"curves\"}, each TREE as the\n"
        "tree command writes it (with --before for the first), each word with its \"side\":\n"
        "start, before or after.\n"
        "svg, png: the picture on a white ground; png goes to standard output only when\n"
        "that is not a terminal."_s);
    addTreeOptions(commandLine);
    commandLine.addOption(
        QCommandLineOption(u"both"_s, u"Both sides of WORD: the words before and after it."_s));
    commandLine.addOption(QCommandLineOption(
        u"layout"_s, u"default or spread (room for every word)."_s, u"LAYOUT"_s, u"default"_s));
    commandLine.addViewSizeOptions();
    addPictureOptions(commandLine);
    if (const auto status = commandLine.parse(arguments))
        return *status;
    std::optional<CommandIndexes> indexes = CommandIndexes::fromOptions(commandLine);
    if (!indexes)
        return 2;
    if (const auto status = checkTreeStart(commandLine))
        return *status;
    const bool both = commandLine.isSet(u"both"_s);
    if (both && (growsBefore(commandLine) || commandLine.isSet(u"preceded-by"_s)))
        return commandLine.badArguments(u"--both shows both sides: it takes no --before, "
                                        "--preceded-by or --followed-by"_s);
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

    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    const QSizeF startSize(*viewSize);
    // A word without followers is shown as the start word alone.
    const auto laidOut = [&](const std::shared_ptr<const VerbariumTree> &tree) {
        return layoutName == u"spread"_s
                   ? layout.spreadVerbariumFromNode(tree, tree->root(), startSize)
                   : layout.displayVerbariumFromNode(tree, tree->root(),
                                                     QRectF(QPointF(0, 0), startSize), startSize);
    };

    if (both) {
        const std::optional<BothTrees> trees = bothCommandTrees(commandLine, *indexes);
        if (!trees)
            return 1;
        const BothSidesPicture picture =
            joinedSides(mirroredPicture(laidOut(trees->before)), laidOut(trees->after));
        if (settings->format == u"json")
            return CommandOutput::writeResultInPieces(
                settings->outputPath,
                [&picture](OutputFile &output) { return writeBothSidesAsJson(picture, output); });
        return writePicture(*settings, *bothSidesLayers(picture), picture.viewSize, {});
    }

    // The text goes once it is read into tokens: the index needs the room.
    const auto tree = commandTree(commandLine, *indexes);
    if (!tree)
        return 1;
    VerbariumPicture picture = laidOut(tree);
    if (growsBefore(commandLine))
        picture = mirroredPicture(std::move(picture));
    const std::unique_ptr<Layer> root = verbariumLayers(picture, picture.viewSize);
    return writePicture(*settings, *root, picture.viewSize,
                        [&picture] { return displayAsJson(picture); });
}
