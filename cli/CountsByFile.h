#pragma once

#include "FileNumbers.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

struct TextPart;
class TokenSequence;
class WordDictionary;

// The counts of a corpus's words in each of its files, as counts --by-file writes them:
// words by count descending, then word; each word's files in the corpus's order, those
// where it does not occur left out.
class CountsByFile
{
public:
    CountsByFile(const TokenSequence &tokens, std::span<const TextPart> files,
                 const WordDictionary &words);

    // Columns word, file, count, total (the word's count in the whole corpus).
    QByteArray toCsv() const;
    // {"files": [{"file": NAME, "words": N}, ...],
    //  "words": [{"word": W, "total": N, "files": [{"file": NAME, "count": N}, ...]}, ...]}
    QByteArray toJson() const;

private:
    QStringList m_fileNames;
    std::vector<qsizetype> m_fileWords;
    QStringList m_words;
    std::vector<qsizetype> m_totals;
    std::vector<std::vector<FileCount>> m_counts;
};
