#include "SpanList.h"

#include "BothCores.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <utility>

namespace {

// The set bits of word, counted without a call: the baseline x86-64 that Debian builds
// for has no instruction for it, and the library's count is a function call.
quint32 onesIn(quint64 word)
{
    word = word - ((word >> 1) & 0x5555555555555555ull);
    word = (word & 0x3333333333333333ull) + ((word >> 2) & 0x3333333333333333ull);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return quint32((word * 0x0101010101010101ull) >> 56);
}

// The index-th value's low bits, each value having lowBits of them.
quint32 lowBitsOf(const quint64 *low, quint32 index, quint32 lowBits)
{
    if (lowBits == 0)
        return 0;
    const std::size_t bit = std::size_t(index) * lowBits;
    quint64 bits = low[bit / 64] >> (bit % 64);
    if (bit % 64 + lowBits > 64)
        bits |= low[bit / 64 + 1] << (64 - bit % 64);
    return quint32(bits & ((quint64(1) << lowBits) - 1));
}

// The position of the n-th set bit of word (counting from 0), which has more than n.
quint32 selectInWord(quint64 word, quint32 n)
{
    quint32 shift = 0;
    for (quint32 inByte = onesIn(word & 0xFF); n >= inByte; inByte = onesIn(word & 0xFF)) {
        n -= inByte;
        word >>= 8;
        shift += 8;
    }
    for (;; word >>= 1, ++shift) {
        if ((word & 1) && n-- == 0)
            return shift;
    }
}

} // namespace

void SpanList::append(TextSpan span)
{
    Q_ASSERT(m_storedBlocks.empty());
    Q_ASSERT(span.begin <= span.end);
    m_pending.push_back(span);
    ++m_size;
    if (m_pending.size() == blockTokens)
        encodeBlock();
}

void SpanList::append(const SpanList &later)
{
    Q_ASSERT(m_joinedAt == 0 && later.m_joinedAt == 0);
    if (later.fullBlocks() == 0) {
        for (const TextSpan &span : later.m_pending)
            append(span);
        return;
    }
    // Encoding the later spans again on this list's blocks would read and write every
    // one of them: the spans here go into a short block of their own instead.
    if (!m_pending.empty()) {
        encodeBlock();
        m_joinedAt = m_size;
    }
    appendBlocksOf(later);
}

void SpanList::reserve(quint32 tokens)
{
    if (m_blocks.empty() || tokens <= m_size)
        return;
    const double wordsPerToken = double(m_words.size()) / double(m_blocks.size() * blockTokens);
    m_words.reserve(std::size_t(wordsPerToken * tokens) + 64);
    m_blocks.reserve(tokens / blockTokens + 2);
}

void SpanList::appendBlocksOf(const SpanList &later)
{
    Q_ASSERT(m_pending.empty() && m_storedBlocks.empty());
    const auto firstWord = quint32(m_words.size());
    m_words.reserve(m_words.size() + later.wordCount());
    m_blocks.reserve(m_blocks.size() + later.fullBlocks() + 1);
    m_words.insert(m_words.end(), later.words(), later.words() + later.wordCount());
    for (std::size_t index = 0; index < later.fullBlocks(); ++index) {
        Block block = later.blocks()[index];
        block.firstWord += firstWord;
        m_blocks.push_back(block);
    }
    m_size += quint32(later.fullBlocks() * blockTokens);
    for (const TextSpan &span : later.m_pending)
        append(span);
}

void SpanList::encodeBlock()
{
    const quint32 base = m_pending.front().begin;
    const quint32 count = 2 * quint32(m_pending.size());
    const auto valueAt = [this, base](quint32 index) {
        const TextSpan &span = m_pending[index / 2];
        return (index % 2 == 0 ? span.begin : span.end) - base;
    };
    const quint32 largest = valueAt(count - 1);
    const quint32 lowBits = largest >= count ? quint32(std::bit_width(largest / count)) - 1 : 0;
    Block block{base, quint32(m_words.size()), lowBits, 0};
    const std::size_t lowWords = lowWordsOf(lowBits);
    const std::size_t highBits = count + (largest >> lowBits) + 1;
    block.highWords = quint32((highBits + 63) / 64);
    m_words.resize(m_words.size() + lowWords + block.highWords, 0);
    quint64 *low = m_words.data() + block.firstWord;
    quint64 *high = low + lowWords;
    for (quint32 index = 0; index < count; ++index) {
        const quint32 value = valueAt(index);
        if (lowBits > 0) {
            const std::size_t bit = std::size_t(index) * lowBits;
            const quint64 bits = value & ((quint64(1) << lowBits) - 1);
            low[bit / 64] |= bits << (bit % 64);
            if (bit % 64 + lowBits > 64)
                low[bit / 64 + 1] |= bits >> (64 - bit % 64);
        }
        const std::size_t one = (value >> lowBits) + index;
        high[one / 64] |= quint64(1) << (one % 64);
    }
    m_blocks.push_back(block);
    m_pending.clear();
}

quint32 SpanList::valueAt(const Block &block, quint32 index) const
{
    const quint64 *low = words() + block.firstWord;
    const std::size_t lowWords = lowWordsOf(block.lowBits);
    const quint32 lowValue = lowBitsOf(low, index, block.lowBits);
    const quint64 *high = low + lowWords;
    quint32 remaining = index;
    for (quint32 word = 0;; ++word) {
        const quint32 ones = onesIn(high[word]);
        if (remaining < ones) {
            const quint32 one = word * 64 + selectInWord(high[word], remaining);
            return block.base + (((one - index) << block.lowBits) | lowValue);
        }
        remaining -= ones;
    }
}

void SpanList::seal()
{
    if (!m_storedBlocks.empty())
        return;
    m_storedBlocks = Stored<Block>(std::exchange(m_blocks, {}));
    m_storedWords = Stored<quint64>(std::exchange(m_words, {}));
}

TextSpan SpanList::operator[](quint32 token) const
{
    const quint32 place = placeOf(token);
    const quint32 blockIndex = place >> blockShift;
    if (blockIndex >= fullBlocks())
        return m_pending[place & (blockTokens - 1)];
    const Block &block = blocks()[blockIndex];
    const quint32 first = 2 * (place & (blockTokens - 1));
    return {valueAt(block, first), valueAt(block, first + 1)};
}

std::size_t SpanList::bytesUsed() const
{
    if (!m_storedBlocks.empty())
        return m_storedBlocks.bytesUsed() + m_storedWords.bytesUsed() +
               m_pending.size() * sizeof(TextSpan);
    return m_blocks.size() * sizeof(Block) + m_words.size() * sizeof(quint64) +
           m_pending.size() * sizeof(TextSpan);
}

void SpanList::writeTo(SectionWriter &writer) const
{
    writer.writeValue(Counts{m_size, m_joinedAt});
    writer.write(std::span<const Block>(blocks(), fullBlocks()));
    writer.write(std::span<const quint64>(words(), wordCount()));
    writer.write(std::span<const TextSpan>(m_pending));
}

std::optional<quint64> SpanList::lastIfAscending(const Block &block, quint32 count) const
{
    const quint64 *low = words() + block.firstWord;
    const std::size_t lowWords = lowWordsOf(block.lowBits);
    const quint64 *high = low + lowWords;
    // Read eight bytes at a time: the block's high words follow its low ones.
    const auto *lowBytes = reinterpret_cast<const char *>(low);
    const quint64 lowMask = (quint64(1) << block.lowBits) - 1;
    quint64 last = 0;
    quint32 index = 0;
    for (quint32 word = 0; index < count; ++word) {
        for (quint64 bits = high[word]; bits != 0 && index < count; bits &= bits - 1) {
            const quint32 one = word * 64 + quint32(std::countr_zero(bits));
            const std::size_t bit = std::size_t(index) * block.lowBits;
            quint64 lowValue;
            std::memcpy(&lowValue, lowBytes + bit / 8, sizeof lowValue);
            const quint64 value =
                (quint64(one - index) << block.lowBits) | ((lowValue >> (bit % 8)) & lowMask);
            // The first value is the block's base itself.
            if (value < last || (index == 0 && value != 0))
                return std::nullopt;
            last = value;
            ++index;
        }
    }
    return block.base + last;
}

bool SpanList::inOrderWithin(quint32 textLength) const
{
    // Each block's values ascend up to where the next block, or the spans not encoded,
    // or the text's end begin.
    const auto blockCount = quint32(fullBlocks());
    const quint64 firstPending = m_pending.empty() ? textLength : m_pending.front().begin;
    std::atomic<bool> inOrder = true;
    inTwoHalves(blockCount, blockTokens, [&](quint32 begin, quint32 end) {
        for (quint32 block = begin; block < end && inOrder; ++block) {
            const std::optional<quint64> last = lastIfAscending(blocks()[block], valuesIn(block));
            if (!last || *last > (block + 1 < blockCount ? blocks()[block + 1].base : firstPending))
                inOrder = false;
        }
    });
    quint32 last = m_pending.empty() ? 0 : m_pending.front().begin;
    for (const TextSpan &span : m_pending) {
        if (span.begin < last || span.end < span.begin)
            return false;
        last = span.end;
    }
    return inOrder && last <= textLength;
}

SpanList SpanList::readFrom(SectionReader &reader, quint32 textLength)
{
    SpanList spans;
    const auto counts = reader.readValue<Counts>();
    spans.m_size = counts.tokens;
    spans.m_joinedAt = counts.joinedAt;
    spans.m_storedBlocks = reader.read<Block>();
    spans.m_storedWords = reader.read<quint64>();
    const Stored<TextSpan> pending = reader.read<TextSpan>();
    spans.m_pending.assign(pending.begin(), pending.end());
    const std::size_t blocks = spans.m_storedBlocks.size();
    // A join's short block is one of the blocks.
    if (spans.m_pending.size() >= blockTokens ||
        (spans.joinGap() != 0 && spans.m_joinedAt / blockTokens >= blocks) ||
        blocks * blockTokens - spans.joinGap() + spans.m_pending.size() != spans.m_size)
        throw DamagedSections();
    // Every block's words must lie within the words read: a damaged block would read
    // past them.
    std::size_t end = 0;
    for (std::size_t index = 0; index < blocks; ++index) {
        const Block &block = spans.m_storedBlocks[index];
        const std::size_t lowWords = lowWordsOf(block.lowBits);
        if (block.firstWord != end || block.lowBits > 31 ||
            lowWords + block.highWords > spans.m_storedWords.size() - end)
            throw DamagedSections();
        end = std::size_t(block.firstWord) + lowWords + block.highWords;
        std::size_t ones = 0;
        for (std::size_t word = end - block.highWords; word < end; ++word)
            ones += onesIn(spans.m_storedWords[word]);
        if (ones != spans.valuesIn(index))
            throw DamagedSections();
    }
    if (end != spans.m_storedWords.size() || !spans.inOrderWithin(textLength))
        throw DamagedSections();
    return spans;
}
