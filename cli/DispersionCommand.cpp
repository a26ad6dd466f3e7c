#include "CommandIndexes.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "CommandTree.h"
#include "Commands.h"
#include "Dispersion.h"
#include "DispersionLayers.h"
#include "JsonWriter.h"
#include "Layer.h"
#include "Occurrences.h"
#include "PictureOutput.h"
#include "TextIndex.h"
#include "TextLayer.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int defaultWidth = 800;

QByteArray dispersionAsJson(const Dispersion &dispersion)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"unit", u"tokens");
    json.field(u"length", qint64(dispersion.length));
    json.field(u"count", qint64(dispersion.positions.size()));
    json.key(u"files");
    json.beginArray();
    auto position = dispersion.positions.cbegin();
    for (const Dispersion::File &file : dispersion.files) {
        json.beginObject();
        json.field(u"file", file.name);
        json.field(u"start", qint64(file.start));
        json.field(u"length", qint64(file.length));
        json.field(u"count", qint64(file.count));
        json.key(u"positions");
        json.beginArray();
        for (quint32 taken = 0; taken < file.count; ++taken, ++position)
            json.value(qint64(*position - file.start));
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}

} // namespace

int dispersionCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"dispersion"_s,
        u"dispersion [FILE|DIR...|-] --word WORD [--path \"W2 W3 ...\"] [--width W]\n"
        "                    [--format json|svg|png] [--svg-outlines] [--scale N] "
        "[--output PATH]"_s,
        u"Where WORD (or a phrase, or with --path a node of its tree) falls across the\n"
        "corpus: its files in their order, each as long as its tokens (the words and\n"
        "punctuation the trees read), and the place of each occurrence, counted in tokens\n"
        "from the start of its file.\n"
        "json: {\"unit\": \"tokens\", \"length\", \"count\", \"files\": [{\"file\", \"start\",\n"
        "\"length\", \"count\", \"positions\": [...]}, ...]}, every file read, in order.\n"
        "svg and png: the corpus as a bar W points wide (%1 by default), its files as\n"
        "segments in their order, names under those they fit, and a tick for each pixel\n"
        "column holding an occurrence."_s.arg(defaultWidth));
    addSequenceOptions(commandLine);
    commandLine.addOption(QCommandLineOption(
        u"width"_s, u"The width of the picture in points (default %1)."_s.arg(defaultWidth), u"W"_s,
        QString::number(defaultWidth)));
    addPictureOptions(commandLine);
    if (const auto status = commandLine.parse(arguments))
        return *status;
    std::optional<CommandIndexes> indexes = CommandIndexes::fromOptions(commandLine);
    if (!indexes)
        return 2;
    if (const auto status = checkStartWord(commandLine))
        return *status;
    const std::optional<qint64> width = commandLine.wholeNumber(u"width"_s, 100, 100000);
    if (!width)
        return 2;
    const std::optional<PictureSettings> settings = pictureSettings(commandLine);
    if (!settings)
        return 2;

    const QStringList sources = commandLine.inputSources();
    const std::optional<CommandText> text =
        followCommandText(indexes->indexPath(sources, TextPath::Index::WordsAfter));
    if (!text)
        return 1;
    const QStringList sequence = sequenceWords(commandLine);
    const Dispersion dispersion =
        dispersionOf(text->index->tokens(), commandFiles(text->file, sources),
                     occurrencesOf(*text->index, sequence).firsts);
    const FontMetricsMeasurer measurer;
    const DispersionPicture picture =
        dispersionPicture(dispersion, sequence.join(u' '), qreal(*width),
                          settings->format == u"png" ? settings->scale : 1, measurer);
    return writePicture(*settings, *picture.root, picture.size,
                        [&dispersion] { return dispersionAsJson(dispersion); });
}
