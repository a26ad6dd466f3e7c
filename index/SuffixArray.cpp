#include "SuffixArray.h"

#include "BothCores.h"
#include "HugePages.h"
#include "StopCheck.h"
#include "WorkTeam.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace {

constexpr quint32 empty = 0xFFFFFFFFu;
// Marks the left-most S-type suffixes in sa after their first sort (positions stay below 2^31).
constexpr quint32 leftmostSMark = 0x80000000u;
// How far ahead the induction passes fetch the symbol they will read.
constexpr quint32 prefetchDistance = 32;

// While sorting, every symbol carries its suffix's type in the lowest bit (1 for S: the
// suffix is smaller than the one after it), so the induction passes read one array.
quint32 symbolOf(quint32 typed)
{
    return typed >> 1;
}
bool isSType(quint32 typed)
{
    return (typed & 1u) != 0;
}

// How often each symbol occurs: counted once a level, every bucket's bounds follow.
struct Buckets
{
    std::vector<quint32> counts;
    std::vector<quint32> bounds;

    Buckets(const quint32 *typed, quint32 size, quint32 alphabetSize, StopCheck &check)
        : counts(alphabetSize, 0)
        , bounds(alphabetSize)
    {
        for (quint32 i = 0; i < size; ++i) {
            check();
            ++counts[symbolOf(typed[i])];
        }
    }

    // Every bucket's start, or its end.
    void fill(bool ends)
    {
        quint32 sum = 0;
        for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
            sum += counts[symbol];
            bounds[symbol] = ends ? sum : sum - counts[symbol];
        }
    }
};

// Induction and naming share their work with a second thread a block of ranks at a time,
// in rounds of a few pieces each.
constexpr quint32 blockSize = 1u << 16;
constexpr quint32 piecesPerBlock = 8;
// Below this many substrings to name, a second thread costs more than it saves.
constexpr quint32 namedTogetherFrom = 1u << 17;
// Below this many symbols sa and the symbols stay in a large last-level cache, where one
// thread's single pass is as fast as blocks shared between two.
constexpr quint32 blockedFrom = 1u << 21;
// In a block's list of pending suffixes: nothing to induce from that rank. Typed symbols
// stay below it (symbols stay below 2^31 − 1), and so do ranks.
constexpr quint32 none = 0xFFFFFFFFu;

// The part [from, to) that piece is of [begin, end).
struct Piece
{
    quint32 from;
    quint32 to;
};

Piece pieceOf(quint32 begin, quint32 end, quint32 piece)
{
    return {begin + quint32(quint64(end - begin) * piece / piecesPerBlock),
            begin + quint32(quint64(end - begin) * (piece + 1) / piecesPerBlock)};
}

// Induction by blocks of ranks, each in three steps. The typed symbols before the block's
// suffixes are gathered on two threads (reads at random); the bucket counters are stepped
// on one thread, in rank order, which decides where each induced suffix goes; the induced
// suffixes are stored there on two threads (stores at random). A suffix induced into the
// block itself, which the block still has to read, is stored and gathered at once by the
// counting thread.
template<bool Mark> class Induction
{
public:
    Induction(const quint32 *typed, quint32 *sa, quint32 size, Buckets &buckets)
        : m_typed(typed)
        , m_sa(sa)
        , m_size(size)
        , m_buckets(buckets)
        , m_pending(std::min(size, blockSize))
        , m_induced(m_pending.size())
        , m_team(true)
    {}

    void run(const StopCheck &check)
    {
        m_buckets.fill(false);
        // The last suffix is L-type: it comes right after the (virtual) end of the text.
        m_sa[m_buckets.bounds[symbolOf(m_typed[m_size - 1])]++] = m_size - 1;
        for (quint32 begin = 0; begin < m_size; begin += blockSize) {
            check.throwIfStopped();
            const quint32 end = std::min(m_size, begin + blockSize);
            m_team.share(piecesPerBlock, [&](quint32 piece) { gatherLType(begin, end, piece); });
            const quint32 stores = placeLType(begin, end);
            m_team.share(piecesPerBlock, [&](quint32 piece) { store(0, stores, piece); });
        }
        m_buckets.fill(true);
        for (quint32 end = m_size; end > 0;) {
            check.throwIfStopped();
            const quint32 begin = end > blockSize ? end - blockSize : 0;
            m_team.share(piecesPerBlock, [&](quint32 piece) { gatherSType(begin, end, piece); });
            const quint32 firstStore = placeSType(begin, end);
            m_team.share(piecesPerBlock,
                         [&](quint32 piece) { store(firstStore, end - begin, piece); });
            end = begin;
        }
    }

private:
    // The typed symbol before suffix when its suffix is L-type, else none.
    quint32 lTypeBefore(quint32 suffix) const
    {
        if (suffix == empty || suffix == 0)
            return none;
        const quint32 before = m_typed[suffix - 1];
        return isSType(before) ? none : before;
    }

    // The typed symbol before the suffix at rank when its suffix is S-type, else none;
    // with Mark, a left-most S-type suffix is marked there.
    quint32 sTypeBefore(quint32 rank) const
    {
        const quint32 suffix = m_sa[rank];
        if (suffix == empty || suffix == 0)
            return none;
        const quint32 before = m_typed[suffix - 1];
        if (isSType(before))
            return before;
        if (Mark && isSType(m_typed[suffix]))
            m_sa[rank] = suffix | leftmostSMark;
        return none;
    }

    void prefetchBefore(quint32 rank) const
    {
        const quint32 suffix = m_sa[rank];
        if (suffix != empty && suffix > 0)
            __builtin_prefetch(m_typed + suffix - 1);
    }

    void gatherLType(quint32 begin, quint32 end, quint32 piece)
    {
        const Piece ranks = pieceOf(begin, end, piece);
        for (quint32 rank = ranks.from; rank < ranks.to; ++rank) {
            if (rank + prefetchDistance < ranks.to)
                prefetchBefore(rank + prefetchDistance);
            m_pending[rank - begin] = lTypeBefore(m_sa[rank]);
        }
    }

    void gatherSType(quint32 begin, quint32 end, quint32 piece)
    {
        const Piece ranks = pieceOf(begin, end, piece);
        for (quint32 rank = ranks.to; rank-- > ranks.from;) {
            if (rank >= ranks.from + prefetchDistance)
                prefetchBefore(rank - prefetchDistance);
            m_pending[rank - begin] = sTypeBefore(rank);
        }
    }

    // Steps the bucket heads in rank order for each pending symbol (an L-type suffix goes
    // to a later rank than the one it is induced from). The stores to make outside the
    // block are listed in the pending entries already read, from the first: their count
    // is returned.
    quint32 placeLType(quint32 begin, quint32 end)
    {
        quint32 *const heads = m_buckets.bounds.data();
        quint32 stores = 0;
        for (quint32 rank = begin; rank < end; ++rank) {
            const quint32 before = m_pending[rank - begin];
            if (before == none)
                continue;
            const quint32 to = heads[symbolOf(before)]++;
            const quint32 suffix = m_sa[rank] - 1;
            if (to < end) {
                m_sa[to] = suffix;
                m_pending[to - begin] = lTypeBefore(suffix);
                continue;
            }
            m_pending[stores] = to;
            m_induced[stores] = suffix;
            ++stores;
        }
        return stores;
    }

    // The same from the block's end (an S-type suffix goes to an earlier rank), with the
    // stores listed up to the last entry: where the list begins is returned.
    quint32 placeSType(quint32 begin, quint32 end)
    {
        quint32 *const tails = m_buckets.bounds.data();
        quint32 firstStore = end - begin;
        for (quint32 rank = end; rank-- > begin;) {
            const quint32 before = m_pending[rank - begin];
            if (before == none)
                continue;
            const quint32 to = --tails[symbolOf(before)];
            const quint32 suffix = m_sa[rank] - 1;
            if (to >= begin) {
                m_sa[to] = suffix;
                m_pending[to - begin] = sTypeBefore(to);
                continue;
            }
            --firstStore;
            m_pending[firstStore] = to;
            m_induced[firstStore] = suffix;
        }
        return firstStore;
    }

    // Makes piece of the listed stores [first, last).
    void store(quint32 first, quint32 last, quint32 piece)
    {
        const Piece stores = pieceOf(first, last, piece);
        for (quint32 i = stores.from; i < stores.to; ++i)
            m_sa[m_pending[i]] = m_induced[i];
    }

    const quint32 *m_typed;
    quint32 *m_sa;
    quint32 m_size;
    Buckets &m_buckets;
    // For each rank of the block, the typed symbol before its suffix or none; then the
    // list of stores: where to, and which suffix.
    std::vector<quint32> m_pending;
    std::vector<quint32> m_induced;
    WorkTeam m_team;
};

// The same in one pass each way on this thread.
template<bool Mark>
void induceInOnePass(const quint32 *typed, quint32 *sa, quint32 size, Buckets &bucketBounds,
                     const StopCheck &check)
{
    quint32 *const buckets = bucketBounds.bounds.data();
    bucketBounds.fill(false);
    // The last suffix is L-type: it comes right after the (virtual) end of the text.
    sa[buckets[symbolOf(typed[size - 1])]++] = size - 1;
    for (quint32 i = 0; i < size; ++i) {
        check.atStep(i);
        if (i + prefetchDistance < size) {
            const quint32 ahead = sa[i + prefetchDistance];
            if (ahead != empty && ahead > 0)
                __builtin_prefetch(typed + ahead - 1);
        }
        const quint32 suffix = sa[i];
        if (suffix != empty && suffix > 0 && !isSType(typed[suffix - 1]))
            sa[buckets[symbolOf(typed[suffix - 1])]++] = suffix - 1;
    }
    bucketBounds.fill(true);
    for (quint32 i = size; i-- > 0;) {
        check.atStep(i);
        if (i >= prefetchDistance) {
            const quint32 ahead = sa[i - prefetchDistance];
            if (ahead != empty && ahead > 0)
                __builtin_prefetch(typed + ahead - 1);
        }
        const quint32 suffix = sa[i];
        if (suffix == empty || suffix == 0)
            continue;
        const quint32 before = typed[suffix - 1];
        if (isSType(before))
            sa[--buckets[symbolOf(before)]] = suffix - 1;
        else if (Mark && isSType(typed[suffix]))
            sa[i] = suffix | leftmostSMark;
    }
}

// Sorts every suffix from the sorted left-most S-type suffixes already in their buckets.
// With Mark, the right-to-left pass marks the left-most S-type suffixes as it meets
// them: it reads the symbol before each suffix anyway, and its own is next to it, where
// finding them afterwards would read the text at random.
template<bool Mark>
void induce(const quint32 *typed, quint32 *sa, quint32 size, Buckets &buckets,
            const StopCheck &check)
{
    if (size < blockedFrom)
        induceInOnePass<Mark>(typed, sa, size, buckets, check);
    else
        Induction<Mark>(typed, sa, size, buckets).run(check);
}

bool isLeftmostS(const quint32 *typed, quint32 i)
{
    return i > 0 && isSType(typed[i]) && !isSType(typed[i - 1]);
}

// Gives every symbol its suffix's type in the lowest bit, from the last to the first:
// a suffix is S-type when its symbol is below the next or equal to it and the next is
// S-type. typed may be symbols itself.
void typeSymbols(const quint32 *symbols, quint32 *typed, quint32 size, StopCheck &check)
{
    typed[size - 1] = symbols[size - 1] << 1;
    for (quint32 i = size - 1; i-- > 0;) {
        check();
        const quint32 symbol = symbols[i];
        const quint32 next = symbolOf(typed[i + 1]);
        const bool sType = symbol < next || (symbol == next && isSType(typed[i + 1]));
        typed[i] = (symbol << 1) | quint32(sType);
    }
}

// Puts the left-most S-type suffixes at their buckets' ends, in text order, and sorts
// them by their substrings up to the next such suffix, marking them in place.
void sortLeftmostSSubstrings(const quint32 *typed, quint32 *sa, quint32 size, Buckets &bucketBounds,
                             StopCheck &check)
{
    std::vector<quint32> &buckets = bucketBounds.bounds;
    bucketBounds.fill(true);
    std::fill(sa, sa + size, empty);
    for (quint32 i = 1; i < size; ++i) {
        check();
        if (isLeftmostS(typed, i))
            sa[--buckets[symbolOf(typed[i])]] = i;
    }
    induce<true>(typed, sa, size, bucketBounds, check);
}

// The sorted left-most S-type substrings named: equal substrings share a name, and names
// ascend with the substrings. The marked suffixes are gathered at the front of sa and
// their names, in text order, at its end: the reduced string.
struct Reduced
{
    quint32 count = 0; // how many left-most S-type suffixes
    quint32 names = 0; // how many distinct names among them
};

// Whether the left-most S-type substrings at position and previous differ.
bool substringsDiffer(const quint32 *typed, quint32 size, quint32 position, quint32 previous)
{
    for (quint32 d = 0;; ++d) {
        if (position + d == size || previous + d == size ||
            typed[position + d] != typed[previous + d])
            return true;
        const bool endsHere = isLeftmostS(typed, position + d);
        if (d > 0 && (endsHere || isLeftmostS(typed, previous + d)))
            return !(endsHere && isLeftmostS(typed, previous + d));
    }
}

// Names the sorted substrings a block at a time: whether each differs from the one
// before is found on two threads (reads at random), the names before each piece are
// counted up, and the names are stored on two threads (stores at random).
class Naming
{
public:
    Naming(const quint32 *typed, quint32 *sa, quint32 size, quint32 count)
        : m_typed(typed)
        , m_sa(sa)
        , m_size(size)
        , m_count(count)
        , m_team(count >= namedTogetherFrom)
    {}

    // Returns how many distinct names there are.
    quint32 run(StopCheck &check)
    {
        quint32 names = 0;
        for (quint32 begin = 0; begin < m_count; begin += blockSize) {
            check.throwIfStopped();
            const quint32 end = std::min(m_count, begin + blockSize);
            m_team.share(piecesPerBlock,
                         [&](quint32 piece) { findDifferences(begin, end, piece); });
            for (quint32 piece = 0; piece < piecesPerBlock; ++piece) {
                const quint32 within = m_namesBefore[piece];
                m_namesBefore[piece] = names;
                names += within;
            }
            m_team.share(piecesPerBlock, [&](quint32 piece) { storeNames(begin, end, piece); });
        }
        return names;
    }

private:
    static constexpr quint32 bits = 64;

    // The ranks [from, to) of piece of [begin, end), split at whole words of differences.
    static Piece ranksOf(quint32 begin, quint32 end, quint32 piece)
    {
        const Piece words = pieceOf(0, (end - begin + bits - 1) / bits, piece);
        return {begin + std::min(end - begin, words.from * bits),
                begin + std::min(end - begin, words.to * bits)};
    }

    void findDifferences(quint32 begin, quint32 end, quint32 piece)
    {
        const Piece ranks = ranksOf(begin, end, piece);
        quint32 differing = 0;
        for (quint32 rank = ranks.from; rank < ranks.to; rank += bits) {
            quint64 word = 0;
            for (quint32 bit = 0; bit < bits && rank + bit < ranks.to; ++bit) {
                const quint32 at = rank + bit;
                if (at + prefetchDistance < ranks.to)
                    __builtin_prefetch(m_typed + m_sa[at + prefetchDistance]);
                if (at == 0 || substringsDiffer(m_typed, m_size, m_sa[at], m_sa[at - 1]))
                    word |= quint64(1) << bit;
            }
            m_differences[(rank - begin) / bits] = word;
            differing += quint32(std::popcount(word));
        }
        m_namesBefore[piece] = differing;
    }

    void storeNames(quint32 begin, quint32 end, quint32 piece)
    {
        const Piece ranks = ranksOf(begin, end, piece);
        quint32 name = m_namesBefore[piece];
        for (quint32 rank = ranks.from; rank < ranks.to; ++rank) {
            if (rank + prefetchDistance < ranks.to)
                __builtin_prefetch(m_sa + m_count + m_sa[rank + prefetchDistance] / 2, 1);
            const quint32 offset = rank - begin;
            name += quint32(m_differences[offset / bits] >> (offset % bits)) & 1u;
            // Left-most S positions are at least two apart, so halves do not collide.
            m_sa[m_count + m_sa[rank] / 2] = name - 1;
        }
    }

    const quint32 *m_typed;
    quint32 *m_sa;
    quint32 m_size;
    quint32 m_count;
    // A bit for each rank of the block: whether its substring differs from the one before.
    std::array<quint64, blockSize / bits> m_differences{};
    // How many differ in each piece, then how many names come before it.
    std::array<quint32, piecesPerBlock> m_namesBefore{};
    WorkTeam m_team;
};

Reduced nameLeftmostSSubstrings(const quint32 *typed, quint32 *sa, quint32 size, StopCheck &check)
{
    Reduced reduced;
    quint32 &count = reduced.count;
    for (quint32 i = 0; i < size; ++i) {
        check();
        if (sa[i] != empty && (sa[i] & leftmostSMark))
            sa[count++] = sa[i] & ~leftmostSMark;
    }
    std::fill(sa + count, sa + size, empty);
    reduced.names = Naming(typed, sa, size, count).run(check);
    quint32 end = size;
    for (quint32 i = size; i-- > count;) {
        if (sa[i] != empty)
            sa[--end] = sa[i];
    }
    return reduced;
}

// Moves the sorted left-most S-type suffixes at the front of sa to their buckets' ends,
// all other ranks empty. Sorted, they come in runs of one first symbol, ascending, each of
// which moves up as a whole (a run's place is never below it): sa is read and written in
// order, where reading each suffix's symbol would read the text at random.
void placeSortedLeftmostS(quint32 *sa, quint32 size, quint32 count, const Buckets &bucketBounds,
                          const std::vector<quint32> &leftmostSCounts)
{
    quint32 unplaced = count;
    quint32 placedFrom = size;
    for (std::size_t symbol = leftmostSCounts.size(); symbol-- > 0;) {
        const quint32 run = leftmostSCounts[symbol];
        if (run == 0)
            continue;
        const quint32 bucketEnd = bucketBounds.bounds[symbol];
        unplaced -= run;
        std::memmove(sa + bucketEnd - run, sa + unplaced, run * sizeof(quint32));
        std::fill(sa + bucketEnd, sa + placedFrom, empty);
        placedFrom = bucketEnd - run;
    }
    std::fill(sa, sa + placedFrom, empty);
}

// From the order of the reduced string's suffixes at the front of sa: the left-most
// S-type suffixes in that order at their buckets' ends, from which all are induced.
void induceFromSortedLeftmostS(const quint32 *typed, quint32 *sa, quint32 size, quint32 count,
                               Buckets &bucketBounds, StopCheck &check)
{
    quint32 *positions = sa + size - count;
    std::vector<quint32> leftmostSCounts(bucketBounds.counts.size());
    quint32 next = 0;
    for (quint32 i = 1; i < size; ++i) {
        check();
        if (isLeftmostS(typed, i)) {
            positions[next++] = i;
            ++leftmostSCounts[symbolOf(typed[i])];
        }
    }
    inTwoHalves(count, [&](quint32 begin, quint32 end) {
        for (quint32 i = begin; i < end; ++i) {
            if (i + prefetchDistance < end)
                __builtin_prefetch(positions + sa[i + prefetchDistance]);
            sa[i] = positions[sa[i]];
        }
    });
    bucketBounds.fill(true);
    placeSortedLeftmostS(sa, size, count, bucketBounds, leftmostSCounts);
    induce<false>(typed, sa, size, bucketBounds, check);
}

// Induced sorting of typed symbols: the left-most S-type substrings are sorted and
// named; the string of their names is sorted the same way, recursively while names
// repeat, in sa's own room; its order gives all suffixes'.
void sortTypedSuffixes(const quint32 *typed, quint32 *sa, quint32 size, quint32 alphabetSize,
                       StopCheck &check)
{
    Buckets bucketBounds(typed, size, alphabetSize, check);
    sortLeftmostSSubstrings(typed, sa, size, bucketBounds, check);
    const Reduced reduced = nameLeftmostSSubstrings(typed, sa, size, check);
    quint32 *names = sa + size - reduced.count;
    if (reduced.names < reduced.count) {
        // The names are not read again once typed: they are typed in place.
        typeSymbols(names, names, reduced.count, check);
        sortTypedSuffixes(names, sa, reduced.count, reduced.names, check);
    } else {
        for (quint32 i = 0; i < reduced.count; ++i)
            sa[names[i]] = i;
    }
    induceFromSortedLeftmostS(typed, sa, size, reduced.count, bucketBounds, check);
}

} // namespace

std::vector<quint32> suffixArray(std::span<const quint32> symbols, quint32 alphabetSize,
                                 std::stop_token stop)
{
    // The mark bit must stay free in every position: checked in every build, since a
    // longer sequence would give a wrong order, not a crash.
    if (symbols.size() >= leftmostSMark)
        throw std::length_error("more than 2^31 − 1 symbols to sort");
    // A symbol and its suffix's type share a word while sorting.
    if (alphabetSize >= leftmostSMark)
        throw std::length_error("more than 2^31 − 1 distinct symbols to sort");
    const auto size = quint32(symbols.size());
    std::vector<quint32> sa = vectorOnHugePages<quint32>(size);
    if (size <= 1)
        return sa;
    StopCheck check(std::move(stop));
    std::vector<quint32> typed = vectorOnHugePages<quint32>(size);
    typeSymbols(symbols.data(), typed.data(), size, check);
    sortTypedSuffixes(typed.data(), sa.data(), size, alphabetSize, check);
    return sa;
}
