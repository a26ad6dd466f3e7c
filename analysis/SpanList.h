#pragma once

#include "SectionFile.h"
#include "Stored.h"

#include <QtGlobal>
#include <optional>
#include <vector>

// Where a token stands in the text it was read from, in UTF-16 code units: from its
// first character to past its last. A token joined across a line-end hyphen spans the
// hyphen and the line break too.
struct TextSpan
{
    quint32 begin = 0;
    quint32 end = 0;
    bool operator==(const TextSpan &) const = default;
};

// The spans of a text's tokens in about a byte a token rather than eight. The begins and
// ends, one after another, never go down; each block of 128 tokens keeps them as
// Elias–Fano codes from the block's first begin: the low bits of each packed, the rest
// as a count of steps in unary. One span is a few words of one block away.
//
// Two lists joined keep their blocks as they are: the first's last block may hold fewer
// tokens, and the later tokens are found a block's remainder further on.
class SpanList
{
public:
    // Appends the span of the next token; it starts at or after the last one's end.
    void append(TextSpan span);
    // Appends the spans of a list made on its own; neither list may be a join already.
    void append(const SpanList &later);
    // Makes room for the spans of so many tokens in all, as many bits each as so far.
    void reserve(quint32 tokens);

    // Moves what is encoded where copies share it; nothing is appended after.
    void seal();

    TextSpan operator[](quint32 token) const;
    quint32 size() const { return m_size; }
    std::size_t bytesUsed() const;

    void writeTo(SectionWriter &writer) const;
    // The spans written, a whole block at a time: the last, partial block goes with them.
    // Throws DamagedSections unless they follow one another within a text of textLength.
    static SpanList readFrom(SectionReader &reader, quint32 textLength);

private:
    static constexpr quint32 blockShift = 7;
    static constexpr quint32 blockTokens = 1u << blockShift;
    static constexpr quint32 blockValues = 2 * blockTokens;

    struct Counts
    {
        quint32 tokens;
        quint32 joinedAt;
    };
    struct Block
    {
        quint32 base = 0;      // the first begin
        quint32 firstWord = 0; // where the block's low bits start in m_words...
        quint32 lowBits = 0;   // ...so many a value, then the unary steps
        quint32 highWords = 0;
    };

    // The words a block's low bits take, a whole block's in every block (a join's short
    // one too), so that its high words always stand at the same place.
    static std::size_t lowWordsOf(quint32 lowBits)
    {
        return (std::size_t(blockValues) * lowBits + 63) / 64;
    }
    void encodeBlock();
    // Appends later's blocks as they are encoded; this list must end on a whole block.
    void appendBlocksOf(const SpanList &later);
    // Where token stands among the blocks' places: past a join, a short block's rest on.
    quint32 placeOf(quint32 token) const { return token < m_joinedAt ? token : token + joinGap(); }
    // How many places the short block of a join leaves empty.
    quint32 joinGap() const { return (blockTokens - m_joinedAt % blockTokens) % blockTokens; }
    // How many values the index-th block holds.
    quint32 valuesIn(std::size_t index) const
    {
        return joinGap() != 0 && index == m_joinedAt / blockTokens ? 2 * (m_joinedAt % blockTokens)
                                                                   : blockValues;
    }
    // Whether every span starts at or after the last one's end and ends within textLength.
    bool inOrderWithin(quint32 textLength) const;
    // The block's last value if its count values ascend from its base, else none.
    std::optional<quint64> lastIfAscending(const Block &block, quint32 count) const;
    quint32 valueAt(const Block &block, quint32 index) const;
    const Block *blocks() const
    {
        return m_storedBlocks.empty() ? m_blocks.data() : m_storedBlocks.data();
    }
    std::size_t fullBlocks() const
    {
        return m_storedBlocks.empty() ? m_blocks.size() : m_storedBlocks.size();
    }
    const quint64 *words() const
    {
        return m_storedWords.empty() ? m_words.data() : m_storedWords.data();
    }
    std::size_t wordCount() const
    {
        return m_storedWords.empty() ? m_words.size() : m_storedWords.size();
    }

    std::vector<Block> m_blocks;
    std::vector<quint64> m_words;
    // Once sealed or read from a file: the blocks and words; the vectors above stay empty,
    // and nothing more is appended.
    Stored<Block> m_storedBlocks;
    Stored<quint64> m_storedWords;
    // The spans of the last, partial block, not encoded.
    std::vector<TextSpan> m_pending;
    quint32 m_size = 0;
    // The tokens of the first list of a join, 0 for none: past them, the places skip the
    // rest of the short block they end on.
    quint32 m_joinedAt = 0;
};
