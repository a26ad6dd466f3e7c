#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CorpusFile.h"
#include "CountsByFile.h"
#include "CsvWriter.h"
#include "JsonWriter.h"
#include "OutputFile.h"
#include "TextAnalysis.h"
#include "TreeText.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// How many code units of the tree text, or words, go out at a time, so that the
// document is never held whole: the tree text is as long as the input.
constexpr qsizetype unitsPerPiece = qsizetype(1) << 20;
constexpr int wordsPerPiece = 4096;

// Returns the problem when the output cannot take it.
std::optional<QString> writeCountsAsJson(const QString &treeText, const WordDictionary &words,
                                         OutputFile &output)
{
    JsonWriter json;
    json.beginObject();
    json.key(u"treeText");
    json.beginString();
    for (qsizetype at = 0; at < treeText.size();) {
        qsizetype length = std::min(unitsPerPiece, treeText.size() - at);
        if (at + length < treeText.size() && treeText.at(at + length - 1).isHighSurrogate())
            --length; // a pair stays in one piece
        json.stringPiece(QStringView(treeText).sliced(at, length));
        at += length;
        if (auto problem = output.write(json.takeWrittenUtf8()))
            return problem;
    }
    json.endString();
    json.key(u"words");
    json.beginObject();
    int wordsInPiece = 0;
    for (const WordDictionary::Entry &entry : words) {
        json.field(entry.word, entry.count);
        if (++wordsInPiece == wordsPerPiece) {
            wordsInPiece = 0;
            if (auto problem = output.write(json.takeWrittenUtf8()))
                return problem;
        }
    }
    json.endObject();
    json.endObject();
    return output.write(json.toUtf8());
}

// Count descending, then word ascending by UTF-16 code units.
QByteArray countsAsCsv(const WordDictionary &words)
{
    QList<WordDictionary::Entry> rows = words.entries();
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return a.count != b.count ? a.count > b.count : a.word < b.word;
    });
    CsvWriter csv;
    csv.row({u"word"_s, u"count"_s});
    for (const WordDictionary::Entry &row : rows)
        csv.row({row.word, QString::number(row.count)});
    return csv.toUtf8();
}

// The tree text of each file of a corpus on its own, joined as the files were, so that no
// line's hyphen joins the next file's first word.
TextFile inTreeText(TextFile file)
{
    if (file.parts.size() < 2) {
        file.text = treeText(file.text);
        for (TextPart &part : file.parts)
            part.length = quint32(file.text.size());
        return file;
    }
    QString joined;
    for (TextPart &part : file.parts) {
        const QString text = treeText(QStringView(file.text).sliced(part.start, part.length));
        if (!joined.isEmpty())
            joined += u'\n';
        part.start = quint32(joined.size());
        part.length = quint32(text.size());
        joined += text;
    }
    file.text = std::move(joined);
    return file;
}

int countsByFile(const QStringList &sources, bool csv, const QString &outputPath)
{
    const std::optional<CommandText> text =
        followCommandText(commandTextPath(sources), KeptOfText::Tokens);
    if (!text)
        return 1;
    const CountsByFile counts(*text->tokens, commandFiles(text->file, sources),
                              text->analysis->words);
    return CommandOutput::writeResult(csv ? counts.toCsv() : counts.toJson(), outputPath);
}

} // namespace

int countsCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"counts"_s, u"counts [FILE|DIR...|-] [--by-file] [--format json|csv] [--output PATH]"_s,
        u"Lower-cases the text, joins its lines into the tree text and counts its words,\n"
        "keeping the words of the highest counts.\n"
        "json: {\"treeText\": ..., \"words\": {word: count, ...}}, highest counts first.\n"
        "csv: word,count rows, count descending, then word ascending.\n"
        "--by-file counts the same words in each file of the corpus (a word's files where\n"
        "it does not occur are left out), words in the same order, files in the corpus's:\n"
        "csv: word,file,count,total rows, total being the word's count in all files;\n"
        "json: {\"files\": [{\"file\": ..., \"words\": N}, ...], \"words\": [{\"word\":\n"
        "..., \"total\": N, \"files\": [{\"file\": ..., \"count\": N}, ...]}, ...]},\n"
        "a file's \"words\" being how many words it holds, for a rate."_s);
    commandLine.addFormatOption({u"json"_s, u"csv"_s});
    commandLine.addOption(QCommandLineOption(
        u"by-file"_s, u"Each word's count in each file of the corpus, and the total."_s));
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;

    const bool csv = commandLine.format() == u"csv";
    if (commandLine.isSet(u"by-file"_s))
        return countsByFile(commandLine.inputSources(), csv, commandLine.outputPath());
    TextPath path = commandTextPath(commandLine.inputSources());
    // JSON writes the tree text: it is made at once and tokenised in the input's place
    // (giving the input's tokens), so that big texts are held twice at most.
    if (!csv) {
        path.read = [input = commandLine.inputSources()](std::stop_token) {
            TextFile file = readCommandSources(input);
            if (file.error.isEmpty())
                file = inTreeText(std::move(file));
            return file;
        };
    }
    const std::optional<CommandText> text = followCommandText(path);
    if (!text)
        return 1;
    const TextAnalysis &analysis = *text->analysis;
    return CommandOutput::writeResultInPieces(commandLine.outputPath(), [&](OutputFile &output) {
        return csv ? output.write(countsAsCsv(analysis.words))
                   : writeCountsAsJson(analysis.text, analysis.words, output);
    });
}
