#include "SuffixArray.h"

#include "RangeMinimum.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

// Random sequences over small alphabets repeat a lot, which is where suffix sorting
// and the shared prefixes go wrong if anywhere; both are held to plain comparisons.
TEST(SuffixArray, SortsSuffixesAndMeasuresSharedPrefixes)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const auto alphabet = quint32(1 + random() % 5);
        std::vector<quint32> symbols(1 + random() % 60);
        for (quint32 &symbol : symbols)
            symbol = random() % alphabet;
        const std::vector<quint32> original = symbols;

        const std::vector<quint32> sa = suffixArray(symbols, alphabet);
        ASSERT_EQ(symbols, original);
        std::vector<quint32> expected(symbols.size());
        for (quint32 i = 0; i < expected.size(); ++i)
            expected[i] = i;
        const auto suffix = [&](quint32 p) {
            return std::vector(symbols.begin() + p, symbols.end());
        };
        std::sort(expected.begin(), expected.end(),
                  [&](quint32 a, quint32 b) { return suffix(a) < suffix(b); });
        ASSERT_EQ(sa, expected);
    }
}

TEST(RangeMinimum, FindsTheFirstSmallestInEveryRange)
{
    std::mt19937 random(7);
    // Long enough for whole superblocks, whose minima the table holds.
    std::vector<quint32> values(20000);
    for (quint32 &value : values)
        value = random() % 5000;
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

} // namespace
