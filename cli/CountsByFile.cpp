#include "CountsByFile.h"

#include "CorpusFile.h"
#include "CsvWriter.h"
#include "FileNumbers.h"
#include "JsonWriter.h"
#include "TextFile.h"
#include "WordDictionary.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

CountsByFile::CountsByFile(const TokenSequence &tokens, std::span<const TextPart> files,
                           const WordDictionary &words)
{
    for (const TextPart &file : files)
        m_fileNames.append(file.name);
    const std::vector<quint32> starts = fileTokenStarts(tokens, partSpans(files));
    m_fileWords = wordsPerFile(tokens, starts);

    QList<WordDictionary::Entry> rows = words.entries();
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return a.count != b.count ? a.count > b.count : a.word < b.word;
    });
    for (const WordDictionary::Entry &row : rows) {
        m_words.append(row.word);
        m_totals.push_back(row.count);
    }
    m_counts = wordCountsByFile(tokens, starts, m_words);
}

QByteArray CountsByFile::toCsv() const
{
    CsvWriter csv;
    csv.row({u"word"_s, u"file"_s, u"count"_s, u"total"_s});
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        const QString total = QString::number(m_totals[std::size_t(word)]);
        for (const FileCount &in : m_counts[std::size_t(word)])
            csv.row({m_words[word], m_fileNames[in.file], QString::number(in.count), total});
    }
    return csv.toUtf8();
}

QByteArray CountsByFile::toJson() const
{
    JsonWriter json;
    json.beginObject();
    json.key(u"files");
    json.beginArray();
    for (qsizetype file = 0; file < m_fileNames.size(); ++file) {
        json.beginObject();
        json.field(u"file", m_fileNames[file]);
        json.field(u"words", qint64(m_fileWords[std::size_t(file)]));
        json.endObject();
    }
    json.endArray();
    json.key(u"words");
    json.beginArray();
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        json.beginObject();
        json.field(u"word", m_words[word]);
        json.field(u"total", qint64(m_totals[std::size_t(word)]));
        json.key(u"files");
        json.beginArray();
        for (const FileCount &in : m_counts[std::size_t(word)]) {
            json.beginObject();
            json.field(u"file", m_fileNames[in.file]);
            json.field(u"count", qint64(in.count));
            json.endObject();
        }
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.toUtf8();
}
