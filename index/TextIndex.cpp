#include "TextIndex.h"

#include "AvailableMemory.h"
#include "BothCores.h"
#include "IndexCache.h"
#include "StopCheck.h"
#include "SuffixArray.h"
#include "Tokeniser.h"

#include <algorithm>
#include <atomic>

using namespace Qt::Literals::StringLiterals;

namespace {

// What building takes at its peak besides the tokens, a token: the suffixes while they
// are sorted, then the suffixes packed, the shared prefixes in text order and in rank
// order (of 32 bits each in a text without sentence ends). Measured at about 12.
constexpr qint64 buildingBytesPerToken = 16;

// Building an index for which memory lacks would first make the whole system swap.
void requireMemoryFor(const TokenSequence &tokens)
{
    const std::optional<qint64> available = availableMemoryBytes();
    if (available && qint64(tokens.size()) * buildingBytesPerToken > *available)
        throw std::bad_alloc();
}

// Below this many ranks a plain scan finds the splits faster than range minima.
constexpr quint32 scannedRanges = 8192;

// The suffixes of a corpus's tokens sorted so that each file's end sorts as the text's
// end does: a symbol of its own, below every word, stands after each file but the last
// while they are sorted. The symbols are put in and taken out again within ids.
std::vector<quint32> suffixesOfFiles(std::vector<quint32> &ids, quint32 distinct,
                                     std::span<const quint32> starts, std::stop_token stop)
{
    StopCheck check(stop);
    const auto size = quint32(ids.size());
    const auto ends = quint32(starts.size() - 1);
    const auto fileEnd = [&](quint32 file) {
        return file + 1 < starts.size() ? starts[file + 1] : size;
    };
    ids.resize(std::size_t(size) + ends);
    for (quint32 file = ends + 1; file-- > 0;) {
        check();
        const auto from = ids.begin() + starts[file];
        const auto to = ids.begin() + fileEnd(file);
        std::transform(std::make_reverse_iterator(to), std::make_reverse_iterator(from),
                       std::make_reverse_iterator(to + file),
                       [ends](quint32 id) { return id + ends; });
        if (file < ends)
            ids[fileEnd(file) + file] = file;
    }
    std::vector<quint32> suffixes = suffixArray(ids, distinct + ends, stop);
    for (quint32 file = 0; file <= ends; ++file) {
        check();
        const auto from = ids.begin() + starts[file] + file;
        std::transform(from, from + (fileEnd(file) - starts[file]), ids.begin() + starts[file],
                       [ends](quint32 id) { return id - ends; });
    }
    ids.resize(size);
    // Where each file begins among the symbols: past the ends before it.
    std::vector<quint32> shiftedStarts(starts.size());
    for (quint32 file = 0; file <= ends; ++file)
        shiftedStarts[file] = starts[file] + file;
    const PartStarts shifted(std::move(shiftedStarts), size + ends);
    quint32 kept = 0;
    for (const quint32 suffix : suffixes) {
        check();
        const quint32 file = shifted.partOf(suffix);
        if (file < ends && suffix + 1 == shifted.starts()[file + 1])
            continue; // a file's end
        suffixes[kept++] = suffix - file;
    }
    suffixes.resize(size);
    return suffixes;
}

} // namespace

std::shared_ptr<const TextIndex> TextIndex::build(QStringView text, std::stop_token stop)
{
    return build(tokenise(text, stop), stop);
}

std::shared_ptr<const TextIndex> TextIndex::build(TokenSequence tokens, std::stop_token stop)
{
    StopCheck check(stop);
    requireMemoryFor(tokens);
    std::shared_ptr<TextIndex> index(new TextIndex);
    std::vector<quint32> ids = tokens.takeIds();
    const quint32 distinct = tokens.distinctCount();
    std::vector<quint32> suffixes;
    index->m_parts = PartStarts(tokens.partStartsAsRead(), quint32(ids.size()));
    if (!index->m_parts.holdsSeveral()) {
        // Sorting takes one core; the sentence ends are noted on the other meanwhile.
        bothAtOnce(
            ids.size(), [&] { suffixes = suffixArray(ids, distinct, stop); },
            [&] { tokens.noteSentenceEnds(ids); });
    } else {
        // The files' ends go in among the ids while they are sorted.
        tokens.noteSentenceEnds(ids);
        suffixes = suffixesOfFiles(ids, distinct, index->m_parts.starts(), stop);
    }
    // The shared prefixes and the minima are worked out from the plain arrays, which are
    // faster to read; each is packed as soon as nothing reads it any more.
    const auto size = quint32(ids.size());
    std::vector<quint32> prefixes = CommonPrefixes::inTextOrder(
        ids, suffixes, tokens.sentenceEnds(), tokens.readsBackward(), index->m_parts, stop);
    tokens.pack(std::move(ids));
    index->m_prefixes = CommonPrefixes(std::move(prefixes), suffixes, stop);
    index->m_positionMinimum =
        RangeMinimum([&suffixes](quint32 rank) { return suffixes[rank]; }, size, check);
    index->m_suffixes = PackedInts(std::move(suffixes), PackedInts::widthFor(size - (size > 0)));
    index->m_tokens = std::make_shared<const TokenSequence>(std::move(tokens));
    return index;
}

std::shared_ptr<const TextIndex> TextIndex::keptIn(const std::shared_ptr<const TextIndex> &index,
                                                   KeptIndex kept)
{
    std::shared_ptr<TextIndex> same(new TextIndex);
    same->m_tokens = index->m_tokens;
    same->m_suffixes = index->m_suffixes;
    same->m_prefixes = index->m_prefixes;
    same->m_positionMinimum = index->m_positionMinimum;
    same->m_parts = index->m_parts;
    same->m_kept = std::make_shared<const KeptIndex>(std::move(kept));
    return same;
}

std::pair<quint32, quint32> TextIndex::occurrences(const QStringList &words) const
{
    quint32 begin = 0;
    auto end = quint32(m_suffixes.size());
    // The suffixes that share the first depth words are sorted by the next one; one that
    // ends before it (with the text or its file) sorts first.
    for (qsizetype depth = 0; depth < words.size() && begin < end; ++depth) {
        const std::optional<quint32> id = m_tokens->idOf(words[depth]);
        if (!id)
            return {0, 0};
        // The first rank in [low, high) whose suffix's token at depth is at least wanted
        // (a suffix that ends before depth counts as below every id).
        const auto firstFrom = [this, depth](quint32 low, quint32 high, quint64 wanted) {
            while (low < high) {
                const quint32 middle = low + (high - low) / 2;
                const quint32 suffix = suffixAt(middle);
                const quint64 position = quint64(suffix) + quint64(depth);
                const quint64 idThere =
                    position < partEnd(suffix) ? m_tokens->idAt(quint32(position)) + 1 : 0;
                if (idThere < wanted)
                    low = middle + 1;
                else
                    high = middle;
            }
            return low;
        };
        const quint32 from = firstFrom(begin, end, quint64(*id) + 1);
        end = firstFrom(from, end, quint64(*id) + 2);
        begin = from;
    }
    return begin < end ? std::pair{begin, end} : std::pair<quint32, quint32>{0, 0};
}

void TextIndex::splitsAt(quint32 begin, quint32 end, quint32 length,
                         std::vector<quint32> &splits) const
{
    splits.clear();
    if (end - begin < scannedRanges) {
        m_prefixes.ranksOf(length, begin + 1, end, splits);
        return;
    }
    std::vector<std::pair<quint32, quint32>> pending{{begin + 1, end}};
    while (!pending.empty()) {
        const auto [low, high] = pending.back();
        pending.pop_back();
        if (low >= high)
            continue;
        const quint32 rank = m_prefixes.positionOfMinimum(low, high);
        if (m_prefixes[rank] != length)
            continue;
        splits.push_back(rank);
        pending.emplace_back(low, rank);
        pending.emplace_back(rank + 1, high);
    }
    std::sort(splits.begin(), splits.end());
}

std::size_t TextIndex::bytesUsed() const
{
    return m_tokens->bytesUsed() + bytesUsedBesideTokens();
}

std::size_t TextIndex::bytesUsedBesideTokens() const
{
    return m_suffixes.bytesUsed() + m_prefixes.bytesUsed() + m_positionMinimum.bytesUsed();
}

QList<std::pair<QString, std::size_t>> TextIndex::bytesByPart() const
{
    return {{u"suffixes"_s, m_suffixes.bytesUsed()},
            {u"shared prefixes"_s, m_prefixes.bytesUsed()},
            {u"first positions"_s, m_positionMinimum.bytesUsed()}};
}

void TextIndex::writeTo(SectionWriter &writer) const
{
    if (!readsBackward())
        m_tokens->writeTo(writer);
    m_suffixes.writeTo(writer);
    m_prefixes.writeTo(writer);
    m_positionMinimum.writeTo(writer);
}

std::shared_ptr<const TextIndex>
TextIndex::readFrom(SectionReader &reader,
                    const std::shared_ptr<const TokenSequence> &forwardTokens, quint32 textLength)
{
    std::shared_ptr<TextIndex> index(new TextIndex);
    if (forwardTokens)
        index->m_tokens = std::make_shared<const TokenSequence>(forwardTokens->reversed());
    else
        index->m_tokens =
            std::make_shared<const TokenSequence>(TokenSequence::readFrom(reader, textLength));
    const quint32 size = index->size();
    index->m_parts = PartStarts(index->m_tokens->partStartsAsRead(), size);
    index->m_suffixes = PackedInts::readFrom(reader);
    index->m_prefixes = CommonPrefixes::readFrom(reader, size);
    index->m_positionMinimum = RangeMinimum::readFrom(reader, size);
    if (index->m_suffixes.size() != size || !reader.atEnd() ||
        (size > 0 && index->m_suffixes.width() != PackedInts::widthFor(size - 1)))
        throw DamagedSections();
    index->checkSuffixesAndPrefixes();
    return index;
}

void TextIndex::checkSuffixesAndPrefixes() const
{
    const quint32 size = this->size();
    // Each suffix a position, and no shared prefix longer than its two suffixes: a tree
    // then reads no token past the text's end. Whether the order is right would take
    // reading the tokens at random: a tree that finds it is not says so.
    std::atomic<bool> inRange = true;
    inTwoHalves(size, [&](quint32 begin, quint32 end) {
        quint32 previous = begin > 0 ? m_suffixes[begin - 1] : 0;
        for (quint32 rank = begin; rank < end; ++rank) {
            const quint32 suffix = m_suffixes[rank];
            const quint32 shared = m_prefixes[rank];
            if (suffix >= size ||
                (rank == 0 ? shared != 0 : shared > size - std::max(suffix, previous))) {
                inRange = false;
                return;
            }
            previous = suffix;
        }
    });
    if (!inRange)
        throw DamagedSections();
    StopCheck check;
    if (m_positionMinimum !=
        RangeMinimum([this](quint32 rank) { return m_suffixes[rank]; }, size, check))
        throw DamagedSections();
}
