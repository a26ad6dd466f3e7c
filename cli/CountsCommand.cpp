#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CsvWriter.h"
#include "FileParser.h"
#include "JsonWriter.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray countsAsJson(const QString &treeText, const WordDictionary &words)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"treeText", treeText);
    json.key(u"words");
    json.beginObject();
    for (const WordDictionary::Entry &entry : words)
        json.field(entry.word, entry.count);
    json.endObject();
    json.endObject();
    return json.toUtf8();
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

} // namespace

int countsCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"counts"_s, u"counts [FILE|-] [--format json|csv] [--output PATH]"_s,
        u"Lower-cases the text, joins its lines into the tree text and counts its words,\n"
        "keeping the words of the highest counts.\n"
        "json: {\"treeText\": ..., \"words\": {word: count, ...}}, highest counts first.\n"
        "csv: word,count rows, count descending, then word ascending."_s);
    commandLine.addFormatOption({u"json"_s, u"csv"_s});
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;

    FileParser parser;
    WordDictionary words;
    {
        // The input text is let go before the output is built: big texts are held
        // twice at most (input and tree text) at any time.
        const std::optional<QString> text = readCommandInput(commandLine.inputPath());
        if (!text)
            return 1;
        words = parser.inputStrings(*text);
    }
    const QByteArray result = commandLine.format() == u"csv"
                                  ? countsAsCsv(words)
                                  : countsAsJson(parser.treeText(), words);
    return CommandOutput::writeResult(result, commandLine.outputPath()) ? 0 : 1;
}
