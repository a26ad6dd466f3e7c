#pragma once

#include "Dispersion.h"

#include <QtGlobal>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <vector>

class TextIndex;

// Where the occurrences of a sequence fall across the files of a text (one file for a
// text of its own), and how many words each file holds, for a rate per file.
struct OccurrenceSpread
{
    Dispersion dispersion;
    std::shared_ptr<const std::vector<qsizetype>> fileWords;

    // How many files hold at least one occurrence.
    qsizetype filesHolding() const;
};

// The words of each file of one text at a time, counted once: every sequence asked for
// shares them. Safe to use from several workers.
class FileWordsMemo
{
public:
    // Throws WorkStopped once stop is requested; a later call counts again.
    std::shared_ptr<const std::vector<qsizetype>>
    wordsOf(const std::shared_ptr<const TextIndex> &forward, std::span<const quint32> fileStarts,
            std::stop_token stop);

private:
    std::mutex m_mutex;
    std::weak_ptr<const TextIndex> m_forward;
    std::shared_ptr<const std::vector<qsizetype>> m_words;
};

// Counts the words of each of files, the text's files in text order, in the text whose
// own index is forward, into memo; throws WorkStopped once stop is requested.
std::shared_ptr<const std::vector<qsizetype>>
countFileWords(const std::shared_ptr<const TextIndex> &forward, std::span<const TextPart> files,
               FileWordsMemo &memo, std::stop_token stop);

// The spread of the runs whose first tokens are firsts (in any order) across files, the
// text's files in text order, in the text whose own index is forward.
std::shared_ptr<const OccurrenceSpread> spreadOf(const std::shared_ptr<const TextIndex> &forward,
                                                 std::span<const TextPart> files,
                                                 std::vector<quint32> firsts, FileWordsMemo &memo,
                                                 std::stop_token stop);
