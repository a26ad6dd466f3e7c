#include "CommonPrefixes.h"

#include "BothCores.h"
#include "HugePages.h"
#include "StopCheck.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr quint32 nothingBefore = 0xFFFFFFFFu;
// Stops are worked out for so many positions at a time, in one pass over them.
constexpr quint32 stopsAtOnce = 1u << 14;
// The passes below read or write at positions found in another array, mostly out of the
// caches: they ask for the one so many steps ahead, so that several are fetched at once.
constexpr quint32 fetchedAhead = 32;
// Each step of a pass over the positions in text order compares tokens at random.
constexpr quint32 comparingSteps = 4;

// Kärkkäinen, Manzini and Puglisi's permuted LCP over positions [begin, end): the prefix
// that each suffix p shares with the one sorted right before it (permuted[p] on entry)
// is computed in text order, where it shrinks by at most one from one position to the
// next. It is then cut at one past p's stop. A file's end stops the comparison as the
// text's end does, so that the values are those of the suffixes sorted with a word of
// their own after each file.
void shareInTextOrder(std::span<const quint32> ids, const SentenceEnds &ends, bool backward,
                      const PartStarts &parts, std::vector<quint32> &permuted, quint32 begin,
                      quint32 end, std::stop_token stop)
{
    StopCheck check(std::move(stop));
    const auto size = quint32(ids.size());
    const auto partEnd = [&](quint32 position) {
        return parts.holdsSeveral() ? parts.endOf(position) : size;
    };
    std::vector<quint32> stops(std::min(stopsAtOnce, end - begin));
    quint32 shared = 0;
    for (quint32 chunk = begin; chunk < end; chunk += stopsAtOnce) {
        const quint32 chunkEnd = std::min(end, chunk + stopsAtOnce);
        ends.stopsOf(chunk, chunkEnd, backward, stops.data());
        for (quint32 position = chunk; position < chunkEnd; ++position) {
            check();
            if (position + fetchedAhead < end) {
                const quint32 ahead = permuted[position + fetchedAhead];
                if (ahead != nothingBefore)
                    __builtin_prefetch(ids.data() + ahead);
            }
            const quint32 previous = permuted[position];
            if (previous == nothingBefore) {
                shared = 0;
                permuted[position] = 0;
                continue;
            }
            const quint32 readable =
                std::min(partEnd(position) - position, partEnd(previous) - previous);
            while (shared < readable && ids[position + shared] == ids[previous + shared]) {
                check();
                ++shared;
            }
            const quint32 stopHere = stops[position - chunk];
            permuted[position] =
                stopHere == SentenceEnds::never ? shared : std::min(shared, stopHere + 1);
            if (shared > 0)
                --shared;
        }
    }
}

} // namespace

std::vector<quint32> CommonPrefixes::inTextOrder(std::span<const quint32> ids,
                                                 std::span<const quint32> suffixes,
                                                 const SentenceEnds &ends, bool backward,
                                                 const PartStarts &parts, std::stop_token stop)
{
    const auto size = quint32(ids.size());
    std::vector<quint32> permuted = vectorOnHugePages<quint32>(size);
    if (size > 0)
        permuted[suffixes[0]] = nothingBefore;
    inTwoHalves(size, [&](quint32 begin, quint32 end) {
        StopCheck halfCheck(stop);
        for (quint32 rank = std::max(begin, 1u); rank < end; ++rank) {
            halfCheck();
            if (rank + fetchedAhead < end)
                __builtin_prefetch(permuted.data() + suffixes[rank + fetchedAhead], 1);
            permuted[suffixes[rank]] = suffixes[rank - 1];
        }
    });
    inTwoHalves(size, comparingSteps, [&](quint32 begin, quint32 end) {
        shareInTextOrder(ids, ends, backward, parts, permuted, begin, end, stop);
    });
    return permuted;
}

CommonPrefixes::CommonPrefixes(std::vector<quint32> permuted, std::span<const quint32> suffixes,
                               std::stop_token stop)
{
    const auto size = quint32(permuted.size());
    StopCheck check(stop);
    std::vector<quint8> narrow(size);
    std::atomic<quint32> large = 0;
    inTwoHalves(size, [&](quint32 begin, quint32 end) {
        StopCheck halfCheck(stop);
        quint32 largeHere = 0;
        for (quint32 rank = begin; rank < end; ++rank) {
            halfCheck();
            if (rank + fetchedAhead < end)
                __builtin_prefetch(permuted.data() + suffixes[rank + fetchedAhead]);
            const quint32 value = permuted[suffixes[rank]];
            narrow[rank] = quint8(std::min<quint32>(value, saturated));
            largeHere += value >= saturated;
        }
        large += largeHere;
    });
    // Listed apart, a large value costs eight bytes more: past an eighth of them, four
    // bytes for every value cost less.
    if (large > size / 8) {
        narrow = {};
        std::vector<quint32> wide(size);
        for (quint32 rank = 0; rank < size; ++rank) {
            check();
            wide[rank] = permuted[suffixes[rank]];
        }
        permuted = {};
        m_wide = Stored<quint32>(std::move(wide));
        m_minimum = RangeMinimum([this](quint32 rank) { return m_wide[rank]; }, size, check);
        return;
    }
    std::vector<quint32> largeRanks;
    std::vector<quint32> largeValues;
    largeRanks.reserve(large);
    largeValues.reserve(large);
    for (quint32 rank = 0; rank < size; ++rank) {
        check();
        if (narrow[rank] == saturated) {
            largeRanks.push_back(rank);
            largeValues.push_back(permuted[suffixes[rank]]);
        }
    }
    permuted = {};
    m_narrow = Stored<quint8>(std::move(narrow));
    m_largeRanks = Stored<quint32>(std::move(largeRanks));
    m_largeValues = Stored<quint32>(std::move(largeValues));
    m_minimum = RangeMinimum([this](quint32 rank) { return m_narrow[rank]; }, size, check);
    m_largeMinimum = RangeMinimum([this](quint32 index) { return m_largeValues[index]; },
                                  quint32(m_largeValues.size()), check);
}

quint32 CommonPrefixes::largeAt(quint32 rank) const
{
    const auto found = std::lower_bound(m_largeRanks.begin(), m_largeRanks.end(), rank);
    return m_largeValues[std::size_t(found - m_largeRanks.begin())];
}

quint32 CommonPrefixes::positionOfMinimum(quint32 begin, quint32 end) const
{
    if (!m_wide.empty())
        return m_minimum.positionOfMinimum([this](quint32 rank) { return m_wide[rank]; }, begin,
                                           end);
    const quint32 rank =
        m_minimum.positionOfMinimum([this](quint32 rank) { return m_narrow[rank]; }, begin, end);
    if (m_narrow[rank] < saturated)
        return rank;
    // Every value in the range is large: the smallest is among those listed apart.
    const auto first = std::lower_bound(m_largeRanks.begin(), m_largeRanks.end(), begin);
    const auto from = quint32(first - m_largeRanks.begin());
    const quint32 index = m_largeMinimum.positionOfMinimum(
        [this](quint32 index) { return m_largeValues[index]; }, from, from + (end - begin));
    return m_largeRanks[index];
}

void CommonPrefixes::ranksOf(quint32 length, quint32 begin, quint32 end,
                             std::vector<quint32> &ranks) const
{
    if (!m_wide.empty()) {
        for (quint32 rank = begin; rank < end; ++rank) {
            if (m_wide[rank] == length)
                ranks.push_back(rank);
        }
        return;
    }
    const auto narrow = quint8(std::min<quint32>(length, saturated));
    if (narrow == saturated) {
        for (quint32 rank = begin; rank < end; ++rank) {
            if (m_narrow[rank] == saturated && largeAt(rank) == length)
                ranks.push_back(rank);
        }
        return;
    }
    // Eight values at a time: the ranks looked for are few among many, so most words of
    // eight hold none of them, which a word's arithmetic tells without a branch per value.
    constexpr quint64 ones = 0x0101010101010101ull;
    constexpr quint64 highs = 0x8080808080808080ull;
    const quint64 wanted = ones * narrow;
    quint32 rank = begin;
    for (; rank + 8 <= end; rank += 8) {
        quint64 word;
        std::memcpy(&word, m_narrow.data() + rank, sizeof word);
        const quint64 differences = word ^ wanted;
        if (((differences - ones) & ~differences & highs) == 0)
            continue;
        for (quint32 k = 0; k < 8; ++k) {
            if (m_narrow[rank + k] == narrow)
                ranks.push_back(rank + k);
        }
    }
    for (; rank < end; ++rank) {
        if (m_narrow[rank] == narrow)
            ranks.push_back(rank);
    }
}

std::size_t CommonPrefixes::bytesUsed() const
{
    return m_narrow.bytesUsed() + m_largeRanks.bytesUsed() + m_largeValues.bytesUsed() +
           m_wide.bytesUsed() + m_minimum.bytesUsed() + m_largeMinimum.bytesUsed();
}

void CommonPrefixes::writeTo(SectionWriter &writer) const
{
    writer.write(m_narrow);
    writer.write(m_largeRanks);
    writer.write(m_largeValues);
    writer.write(m_wide);
    m_minimum.writeTo(writer);
    m_largeMinimum.writeTo(writer);
}

CommonPrefixes CommonPrefixes::readFrom(SectionReader &reader, quint32 size)
{
    CommonPrefixes prefixes;
    prefixes.m_narrow = reader.read<quint8>();
    prefixes.m_largeRanks = reader.read<quint32>();
    prefixes.m_largeValues = reader.read<quint32>();
    prefixes.m_wide = reader.read<quint32>();
    prefixes.m_minimum = RangeMinimum::readFrom(reader, size);
    const auto large = quint32(prefixes.m_largeValues.size());
    prefixes.m_largeMinimum = RangeMinimum::readFrom(reader, large);
    const bool wide = prefixes.m_wide.size() == size && prefixes.m_narrow.empty() && large == 0;
    const bool narrow = prefixes.m_narrow.size() == size && prefixes.m_wide.empty() &&
                        prefixes.m_largeRanks.size() == large;
    if (!wide && !narrow)
        throw DamagedSections();
    // The large values must be exactly the saturated ranks, in order.
    if (narrow) {
        quint32 index = 0;
        const quint8 *values = prefixes.m_narrow.data();
        for (const quint8 *found = values;
             (found = static_cast<const quint8 *>(
                  std::memchr(found, saturated, std::size_t(values + size - found))));
             ++found) {
            const auto rank = quint32(found - values);
            if (index == large || prefixes.m_largeRanks[index] != rank ||
                prefixes.m_largeValues[index] < saturated)
                throw DamagedSections();
            ++index;
        }
        if (index != large)
            throw DamagedSections();
    }
    // The minima are worked out again, as cheaply as read, and must be the same.
    StopCheck check;
    const auto wideAt = [&prefixes](quint32 rank) { return prefixes.m_wide[rank]; };
    const auto narrowAt = [&prefixes](quint32 rank) { return prefixes.m_narrow[rank]; };
    const auto largeAt = [&prefixes](quint32 index) { return prefixes.m_largeValues[index]; };
    const bool minimaHold =
        wide ? prefixes.m_minimum == RangeMinimum(wideAt, size, check)
             : prefixes.m_minimum == RangeMinimum(narrowAt, size, check) &&
                   prefixes.m_largeMinimum == RangeMinimum(largeAt, large, check);
    if (!minimaHold)
        throw DamagedSections();
    return prefixes;
}
