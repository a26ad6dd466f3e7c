#include "CharacterClasses.h"
#include "CommandIndexes.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "CommandOutput.h"
#include "CommandTree.h"
#include "Commands.h"
#include "ContextLines.h"
#include "JsonWriter.h"
#include "Occurrences.h"
#include "OutputFile.h"
#include "TextIndex.h"
#include "TextPlaces.h"

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// How many code units of lines are gathered before they go out, so that memory does not
// grow with the output, however long each line is.
constexpr qsizetype unitsPerPiece = qsizetype(1) << 18;

// Characters of context on either side of an occurrence unless --width says otherwise.
constexpr int defaultContextWidth = 40;

// A name with a tab or a line break would break the TSV line.
QString tsvField(const QString &name)
{
    QString field = name;
    for (QChar &unit : field) {
        if (unit == u'\t' || CharacterClasses::isLineBreak(unit.unicode()))
            unit = u' ';
    }
    return field;
}

void appendTsvLine(QString &piece, const FilePlace &place, const ContextLine &line)
{
    piece += tsvField(place.file->name);
    piece += u'\t';
    piece += QString::number(place.line);
    piece += u'\t';
    piece += QString::number(place.offset);
    for (const QString *part : {&line.left, &line.match, &line.right}) {
        piece += u'\t';
        piece += *part;
    }
    piece += u'\n';
}

void appendJsonLine(QString &piece, const FilePlace &place, const ContextLine &line)
{
    piece += u"{\"file\":"_s;
    piece += JsonWriter::quoted(place.file->name);
    piece += u",\"line\":"_s;
    piece += QString::number(place.line);
    piece += u",\"offset\":"_s;
    piece += QString::number(place.offset);
    piece += u",\"left\":"_s;
    piece += JsonWriter::quoted(line.left);
    piece += u",\"match\":"_s;
    piece += JsonWriter::quoted(line.match);
    piece += u",\"right\":"_s;
    piece += JsonWriter::quoted(line.right);
    piece += u"}\n"_s;
}

std::optional<ContextOrder> orderNamed(const QString &name)
{
    if (name == u"text")
        return ContextOrder::Text;
    if (name == u"following")
        return ContextOrder::Following;
    if (name == u"preceding")
        return ContextOrder::Preceding;
    return std::nullopt;
}

} // namespace

int contextsCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"contexts"_s,
        u"contexts [FILE|DIR...|-] --word WORD [--path \"W2 W3 ...\"] [--width N]\n"
        "                  [--sort text|following|preceding] [--format tsv|json] "
        "[--output PATH]"_s,
        u"Lists every occurrence of WORD (or of a phrase of several words) in the text, one\n"
        "line each: the file it is in (as given, or its folder as given and the path below\n"
        "it), its line there (from 1), the byte offset in the file where it starts, the\n"
        "text before it, the occurrence as it stands in the file, and the text after it\n"
        "within its file, line breaks and tabs shown as spaces. --path continues the\n"
        "sequence below the word, as a click down the tree does, and lists the\n"
        "occurrences that node of the tree counts. TSV has those six columns; JSON is an\n"
        "object a line with the keys \"file\", \"line\", \"offset\", \"left\", \"match\"\n"
        "and \"right\". --width is the context on either side in characters\n"
        "(%1). --sort orders by place in the text (the default), by the words that follow,\n"
        "or by the words before."_s.arg(defaultContextWidth));
    addSequenceOptions(commandLine);
    commandLine.addOption(QCommandLineOption(
        u"width"_s,
        u"Characters of context on either side (default %1)."_s.arg(defaultContextWidth), u"N"_s,
        QString::number(defaultContextWidth)));
    commandLine.addOption(
        QCommandLineOption(u"sort"_s, u"text, following or preceding."_s, u"ORDER"_s, u"text"_s));
    commandLine.addFormatOption({u"tsv"_s, u"json"_s});
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;
    std::optional<CommandIndexes> indexes = CommandIndexes::fromOptions(commandLine);
    if (!indexes)
        return 2;
    if (const auto status = checkStartWord(commandLine))
        return *status;
    const std::optional<qint64> width = commandLine.wholeNumber(u"width"_s, 0, 100000);
    if (!width)
        return 2;
    const std::optional<ContextOrder> order = orderNamed(commandLine.value(u"sort"_s));
    if (!order)
        return commandLine.badArguments(
            u"--sort must be text, following or preceding, not '%1'"_s.arg(
                commandLine.value(u"sort"_s)));

    const std::optional<CommandText> text = followCommandText(
        indexes->indexPath(commandLine.inputSources(), TextPath::Index::WordsAfter),
        KeptOfText::Text);
    if (!text)
        return 1;
    const TextFile &input = text->file;
    const auto &index = text->index;
    Occurrences found = occurrencesOf(*index, sequenceWords(commandLine));
    sortRuns(found.firsts, found.length, index->tokens(), *order);

    const QStringList sources = commandLine.inputSources();
    const TextPlaces places(input, sources.size() == 1 ? sources.front() : QString());
    const bool json = commandLine.format() == u"json";
    return CommandOutput::writeResultInPieces(
        commandLine.outputPath(), [&](OutputFile &output) -> std::optional<QString> {
            QString piece;
            for (const quint32 first : found.firsts) {
                const quint32 begin = spanOfRun(index->tokens(), first, found.length).begin;
                const ContextLine line =
                    contextLine(input.text, index->tokens(), first, found.length, *width,
                                places.fileSpanOf(begin));
                const FilePlace place = places.placeOf(begin);
                if (json)
                    appendJsonLine(piece, place, line);
                else
                    appendTsvLine(piece, place, line);
                if (piece.size() >= unitsPerPiece) {
                    if (auto problem = output.write(piece.toUtf8()))
                        return problem;
                    // Kept allocated: the next piece is about as long.
                    piece.resize(0);
                }
            }
            return output.write(piece.toUtf8());
        });
}
