#pragma once

#include "SpanList.h"

#include <QStringList>
#include <span>
#include <stop_token>
#include <vector>

class TokenSequence;

// Where each file of a corpus begins among the tokens, in text order, from where the
// files stand in the text: one more than the files, the last the number of tokens, so
// that file f holds the tokens [starts[f], starts[f + 1]). A file without tokens starts
// where the next does. No files: the whole text as one.
std::vector<quint32> fileTokenStarts(const TokenSequence &tokens, std::span<const TextSpan> files);

// The file of each token, from those starts: the last whose start is at or before the
// position, so that empty files are passed over.
quint32 fileOfToken(std::span<const quint32> starts, quint32 position);

// How many words each file holds, counted as the cloud counts them: every maximal run of
// letters of every token ("x" and "86" hold one, "x86" one).
std::vector<qsizetype> wordsPerFile(const TokenSequence &tokens, std::span<const quint32> starts,
                                    std::stop_token stop = {});

// How often a word occurs in one file.
struct FileCount
{
    quint32 file;
    qsizetype count;
    bool operator==(const FileCount &) const = default;
};

// For each of words (as the cloud counts them), its count in each file where it occurs,
// in the files' order; a word in no file has none. Throws WorkStopped once stop is
// requested.
std::vector<std::vector<FileCount>> wordCountsByFile(const TokenSequence &tokens,
                                                     std::span<const quint32> starts,
                                                     const QStringList &words,
                                                     std::stop_token stop = {});

// How many of a sequence's occurrences (their first tokens, ascending, in text order)
// stand in each file, one count a file, zero where it does not occur.
std::vector<quint32> occurrencesPerFile(std::span<const quint32> firsts,
                                        std::span<const quint32> starts);
