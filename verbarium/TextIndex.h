#pragma once

#include "RangeMinimum.h"
#include "TokenSequence.h"

#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

// Everything the trees of any start word grow from, built once per analysis: the
// tokens of the prepared text, their suffix array with the prefixes neighbours share,
// range minima over both, and where the sentence-end rules stop each walk. Immutable
// once built, so trees may be grown from it on any thread.
class TextIndex
{
public:
    static constexpr quint32 neverStops = 0xFFFFFFFFu;

    // The index of a text as the user gave it (or of a tree text). Throws WorkStopped
    // once stop is requested, TooManyTokens when the text has more tokens than the
    // index can number, std::bad_alloc when memory runs out.
    static std::shared_ptr<const TextIndex> build(QStringView text, std::stop_token stop = {});
    static std::shared_ptr<const TextIndex> build(TokenSequence tokens, std::stop_token stop = {});

    TextIndex(const TextIndex &) = delete;
    TextIndex &operator=(const TextIndex &) = delete;

    const TokenSequence &tokens() const { return *m_tokens; }
    // The tokens alone, for what outlives the index (a tree shows its words from them).
    const std::shared_ptr<const TokenSequence> &sharedTokens() const { return m_tokens; }
    quint32 size() const { return m_tokens->size(); }
    // Whether this is the index of the text's tokens reversed: of the words before.
    bool readsBackward() const { return m_tokens->readsBackward(); }
    // The suffixes in sorted order (their start positions).
    quint32 suffixAt(quint32 rank) const { return m_suffixes[rank]; }
    // The ranks of the suffixes that start with the words, in that order: one interval,
    // empty when they never stand one after another in the text.
    std::pair<quint32, quint32> occurrences(const QStringList &words) const;
    // The length of the prefix that all suffixes of ranks [begin, end) share; end − begin ≥ 2.
    quint32 sharedPrefix(quint32 begin, quint32 end) const
    {
        return m_prefixes[m_prefixMinimum->positionOfMinimum(begin + 1, end)];
    }
    // The ranks in (begin, end) where the suffixes stop sharing a prefix of more than
    // length tokens, in order. Every rank in the range must share at least length.
    void splitsAt(quint32 begin, quint32 end, quint32 length, std::vector<quint32> &splits) const;
    // The earliest text position among the suffixes of ranks [begin, end).
    quint32 firstPosition(quint32 begin, quint32 end) const
    {
        return m_suffixes[m_positionMinimum->positionOfMinimum(begin, end)];
    }
    // How many tokens after position a walk from an occurrence there reads before the
    // sentence-end rules stop it (its last token included); neverStops when they don't.
    quint32 sentenceStop(quint32 position) const { return m_sentenceStops[position]; }

    std::size_t bytesUsed() const;

private:
    TextIndex() = default;

    std::shared_ptr<const TokenSequence> m_tokens;
    std::vector<quint32> m_sentenceStops;
    std::vector<quint32> m_suffixes;
    std::vector<quint32> m_prefixes; // m_prefixes[r]: shared by the suffixes of ranks r − 1 and r
    std::optional<RangeMinimum> m_prefixMinimum;
    std::optional<RangeMinimum> m_positionMinimum;
};
