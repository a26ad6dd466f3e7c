#pragma once

#include "CommonPrefixes.h"
#include "PackedInts.h"
#include "PartStarts.h"
#include "RangeMinimum.h"
#include "SectionFile.h"
#include "TokenSequence.h"

#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <stop_token>
#include <vector>

struct KeptIndex;

// Thrown where a tree finds an index read from a file not holding together in a way that
// reading it could not tell cheaply; an index built here always does.
class DamagedIndex : public std::runtime_error
{
public:
    DamagedIndex()
        : std::runtime_error("the index kept for this text is damaged")
    {}
};

// Everything the trees of any start word grow from, built once per analysis: the
// tokens of the prepared text, their suffix array with the prefixes neighbours share,
// range minima over both, and where the sentence-end rules stop each walk. Immutable
// once built, so trees may be grown from it on any thread.
class TextIndex
{
public:
    static constexpr quint32 neverStops = SentenceEnds::never;

    // The index of a text as the user gave it (or of a tree text). Throws WorkStopped
    // once stop is requested, TooManyTokens when the text has more tokens than the
    // index can number, std::bad_alloc when memory runs out.
    static std::shared_ptr<const TextIndex> build(QStringView text, std::stop_token stop = {});
    static std::shared_ptr<const TextIndex> build(TokenSequence tokens, std::stop_token stop = {});

    // Writes the index; the index of the text's own order writes its tokens too, the
    // index of the words before only what it adds to them.
    void writeTo(SectionWriter &writer) const;
    // Reads what writeTo wrote for a text of textLength code units: forwardTokens are
    // none for the text's own index, and the tokens of that index for the words before.
    // Throws DamagedSections when the sections do not hold such an index: every value
    // that trees read without a check is checked here, in one pass over each part.
    static std::shared_ptr<const TextIndex>
    readFrom(SectionReader &reader, const std::shared_ptr<const TokenSequence> &forwardTokens,
             quint32 textLength);

    // The same index, sharing all it holds, that knows where the text's indexes are kept
    // between runs (so that the index of the words before is kept there too).
    static std::shared_ptr<const TextIndex> keptIn(const std::shared_ptr<const TextIndex> &index,
                                                   KeptIndex kept);
    // Where the text's indexes are kept, or null.
    const KeptIndex *kept() const { return m_kept.get(); }

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
    // The length of the prefix that all suffixes of ranks [begin, end) share, as far as
    // their walks read (one past their stop at most); end − begin ≥ 2.
    quint32 sharedPrefix(quint32 begin, quint32 end) const
    {
        return m_prefixes[m_prefixes.positionOfMinimum(begin + 1, end)];
    }
    // The ranks in (begin, end) where the suffixes stop sharing a prefix of more than
    // length tokens, in order. Every rank in the range must share at least length, and
    // length must not pass their stop.
    void splitsAt(quint32 begin, quint32 end, quint32 length, std::vector<quint32> &splits) const;
    // The earliest text position among the suffixes of ranks [begin, end).
    quint32 firstPosition(quint32 begin, quint32 end) const
    {
        return m_suffixes[m_positionMinimum.positionOfMinimum(
            [this](quint32 rank) { return m_suffixes[rank]; }, begin, end)];
    }
    // How many tokens after position a walk from an occurrence there reads before the
    // sentence-end rules stop it (its last token included); neverStops when they don't.
    quint32 sentenceStop(quint32 position) const
    {
        return m_tokens->sentenceEnds().stopAfter(position, readsBackward());
    }

    // Where the walk from position runs out of words, in reading order: at the end of its
    // file (for the words before, its start), the text's end for a single text. A walk
    // that reaches it ends as at the text's end; suffixes are sorted as if a word below
    // every other stood there.
    quint32 partEnd(quint32 position) const { return m_parts.endOf(position); }

    // Where the files holding tokens begin, in reading order; fewer than two for a single
    // text.
    std::span<const quint32> partStarts() const { return m_parts.starts(); }

    std::size_t bytesUsed() const;
    // What the index adds to its tokens, which the index of the words before shares.
    std::size_t bytesUsedBesideTokens() const;
    // What each part beside the tokens takes.
    QList<std::pair<QString, std::size_t>> bytesByPart() const;

private:
    TextIndex() = default;
    // Throws DamagedSections unless the suffixes and prefixes read are safe to grow from.
    void checkSuffixesAndPrefixes() const;

    std::shared_ptr<const TokenSequence> m_tokens;
    PackedInts m_suffixes;
    CommonPrefixes m_prefixes; // at rank r: shared by the suffixes of ranks r − 1 and r
    RangeMinimum m_positionMinimum;
    PartStarts m_parts; // the tokens' files, in reading order
    std::shared_ptr<const KeptIndex> m_kept;
};
