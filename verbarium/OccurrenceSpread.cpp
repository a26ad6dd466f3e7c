#include "OccurrenceSpread.h"

#include "CorpusFile.h"
#include "FileNumbers.h"
#include "TextIndex.h"

#include <algorithm>

qsizetype OccurrenceSpread::filesHolding() const
{
    return std::count_if(dispersion.files.begin(), dispersion.files.end(),
                         [](const Dispersion::File &file) { return file.count > 0; });
}

std::shared_ptr<const std::vector<qsizetype>>
FileWordsMemo::wordsOf(const std::shared_ptr<const TextIndex> &forward,
                       std::span<const quint32> fileStarts, std::stop_token stop)
{
    const std::lock_guard lock(m_mutex);
    if (m_words && m_forward.lock() == forward && m_words->size() + 1 == fileStarts.size())
        return m_words;
    m_words = std::make_shared<const std::vector<qsizetype>>(
        wordsPerFile(forward->tokens(), fileStarts, std::move(stop)));
    m_forward = forward;
    return m_words;
}

std::shared_ptr<const std::vector<qsizetype>>
countFileWords(const std::shared_ptr<const TextIndex> &forward, std::span<const TextPart> files,
               FileWordsMemo &memo, std::stop_token stop)
{
    return memo.wordsOf(forward, fileTokenStarts(forward->tokens(), partSpans(files)),
                        std::move(stop));
}

std::shared_ptr<const OccurrenceSpread> spreadOf(const std::shared_ptr<const TextIndex> &forward,
                                                 std::span<const TextPart> files,
                                                 std::vector<quint32> firsts, FileWordsMemo &memo,
                                                 std::stop_token stop)
{
    if (!std::is_sorted(firsts.begin(), firsts.end()))
        std::sort(firsts.begin(), firsts.end());
    auto spread = std::make_shared<OccurrenceSpread>();
    spread->dispersion = dispersionOf(forward->tokens(), files, std::move(firsts));
    spread->fileWords = countFileWords(forward, files, memo, std::move(stop));
    return spread;
}
