#include "SuffixArray.h"

#include "RangeMinimum.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

std::vector<quint32> sortedByComparison(const std::vector<quint32> &symbols)
{
    std::vector<quint32> expected(symbols.size());
    for (quint32 i = 0; i < expected.size(); ++i)
        expected[i] = i;
    std::sort(expected.begin(), expected.end(), [&](quint32 a, quint32 b) {
        return std::lexicographical_compare(symbols.begin() + a, symbols.end(), symbols.begin() + b,
                                            symbols.end());
    });
    return expected;
}

// Random sequences over small alphabets repeat a lot, which is where suffix sorting goes
// wrong if anywhere; it is held to plain comparisons.
TEST(SuffixArray, SortsShortRandomSequences)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const auto alphabet = quint32(1 + random() % 5);
        std::vector<quint32> symbols(1 + random() % 60);
        for (quint32 &symbol : symbols)
            symbol = random() % alphabet;
        const std::vector<quint32> original = symbols;

        ASSERT_EQ(suffixArray(symbols, alphabet), sortedByComparison(symbols));
        ASSERT_EQ(symbols, original);
    }
}

// Longer sequences reach the deeper levels of the recursion, and a word alphabet's
// buckets, most of them empty.
struct LongSequence
{
    const char *name;
    quint32 alphabet;
    std::vector<quint32> (*make)(std::mt19937 &random, quint32 alphabet, quint32 length);
    quint32 length; // short enough to sort by comparisons
};

void PrintTo(const LongSequence &row, std::ostream *out)
{
    *out << row.name;
}

class SuffixArrayOfLongSequences : public testing::TestWithParam<LongSequence>
{
};

TEST_P(SuffixArrayOfLongSequences, SortsLikeComparisons)
{
    std::mt19937 random(5);
    const std::vector<quint32> symbols =
        GetParam().make(random, GetParam().alphabet, GetParam().length);
    ASSERT_EQ(suffixArray(symbols, GetParam().alphabet), sortedByComparison(symbols));
}

// Whether order holds every suffix once, each before the next: by its first symbol, then
// by the rank of the suffix after it (none sorts first). Linear, for sequences too long
// to sort by comparisons.
bool isSuffixOrder(const std::vector<quint32> &symbols, const std::vector<quint32> &order)
{
    const auto size = quint32(symbols.size());
    if (order.size() != size)
        return false;
    std::vector<quint32> rank(size, size);
    for (quint32 i = 0; i < size; ++i) {
        if (order[i] >= size || rank[order[i]] != size)
            return false;
        rank[order[i]] = i;
    }
    const auto rankAfter = [&](quint32 suffix) {
        return suffix + 1 < size ? qint64(rank[suffix + 1]) : qint64(-1);
    };
    for (quint32 i = 1; i < size; ++i) {
        const quint32 a = order[i - 1];
        const quint32 b = order[i];
        if (symbols[a] > symbols[b] || (symbols[a] == symbols[b] && rankAfter(a) > rankAfter(b)))
            return false;
    }
    return true;
}

// Long enough for induction by blocks shared between two threads.
TEST_P(SuffixArrayOfLongSequences, SortsManyBlocks)
{
    std::mt19937 random(6);
    const std::vector<quint32> symbols = GetParam().make(random, GetParam().alphabet, 2'500'000);
    EXPECT_TRUE(isSuffixOrder(symbols, suffixArray(symbols, GetParam().alphabet)));
}

std::vector<quint32> randomSymbols(std::mt19937 &random, quint32 alphabet, quint32 length)
{
    std::vector<quint32> symbols(length);
    for (quint32 &symbol : symbols)
        symbol = random() % alphabet;
    return symbols;
}

// A passage pasted many times, with a few changes: long shared prefixes at every level.
std::vector<quint32> pastedPassage(std::mt19937 &random, quint32 alphabet, quint32 length)
{
    const std::vector<quint32> passage = randomSymbols(random, alphabet, 1000);
    std::vector<quint32> symbols;
    while (symbols.size() < length) {
        symbols.insert(symbols.end(), passage.begin(), passage.end());
        symbols[symbols.size() - 1 - std::size_t(random() % 1000)] = random() % alphabet;
    }
    return symbols;
}

std::vector<quint32> oneSymbolRepeated(std::mt19937 &, quint32, quint32 length)
{
    return std::vector<quint32>(length, 0);
}

// Runs of growing length: many levels of left-most S-type substrings of every length.
std::vector<quint32> growingRuns(std::mt19937 &, quint32 alphabet, quint32 length)
{
    std::vector<quint32> symbols;
    for (quint32 run = 1; symbols.size() < length; ++run)
        symbols.insert(symbols.end(), run, run % alphabet);
    return symbols;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SuffixArrayOfLongSequences,
    testing::Values(LongSequence{"twoSymbols", 2, randomSymbols, 20000},
                    LongSequence{"wordAlphabet", 30000, randomSymbols, 20000},
                    LongSequence{"pastedPassageOfThreeSymbols", 3, pastedPassage, 8000},
                    LongSequence{"pastedPassageOfWords", 5000, pastedPassage, 8000},
                    LongSequence{"oneSymbolRepeated", 1, oneSymbolRepeated, 3000},
                    LongSequence{"growingRuns", 7, growingRuns, 6000}),
    [](const testing::TestParamInfo<LongSequence> &info) { return info.param.name; });

class RangeMinimumOfValuesBelow : public testing::TestWithParam<quint32>
{
};

// Values of a few kinds tie all the time, and the first of the smallest must be found.
TEST_P(RangeMinimumOfValuesBelow, FindsTheFirstSmallestInEveryRange)
{
    std::mt19937 random(7);
    // Long enough for whole superblocks, whose minima the table holds.
    std::vector<quint32> values(20000);
    for (quint32 &value : values)
        value = random() % GetParam();
    const auto valueAt = [&values](quint32 position) { return values[position]; };
    StopCheck check;
    const RangeMinimum minimum(valueAt, quint32(values.size()), check);
    for (int query = 0; query < 20000; ++query) {
        auto begin = quint32(random() % values.size());
        auto end = quint32(random() % values.size());
        if (begin > end)
            std::swap(begin, end);
        ++end;
        const auto expected = std::min_element(values.begin() + begin, values.begin() + end);
        ASSERT_EQ(minimum.positionOfMinimum(valueAt, begin, end),
                  quint32(expected - values.begin()))
            << begin << ".." << end;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RangeMinimumOfValuesBelow, testing::Values(3u, 5000u),
                         [](const testing::TestParamInfo<quint32> &info) {
                             return "below" + std::to_string(info.param);
                         });

} // namespace
