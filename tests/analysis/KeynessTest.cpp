#include "Keyness.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct KeynessRow
{
    const char *name;
    qsizetype a, b, c, d;
    double logLikelihood, logRatio;
};

// Worked by hand: E1 = c(a+b)/(c+d), E2 = d(a+b)/(c+d), LL = 2(a ln(a/E1) + b ln(b/E2)).
const KeynessRow keynessRows[] = {
    {"twiceAsOftenInA", 10, 5, 1000, 1000, 1.6989903679539724, 1.0},
    // A zero count adds nothing to LL, and stands as 0.5 in the ratio.
    {"absentFromA", 0, 8, 100, 300, 4.6029131592284935, -2.415037499278844},
    {"absentFromB", 25, 0, 50000, 20000, 16.823611831060646, 4.321928094887363},
    {"equallyOften", 3, 3, 200, 200, 0.0, 0.0},
};

class Keyness : public testing::TestWithParam<KeynessRow>
{
};

TEST_P(Keyness, MatchesTheHandWorkedValues)
{
    const KeynessRow &row = GetParam();
    EXPECT_NEAR(logLikelihood(row.a, row.b, row.c, row.d), row.logLikelihood, 1e-12);
    EXPECT_NEAR(logRatio(row.a, row.b, row.c, row.d), row.logRatio, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Rows, Keyness, testing::ValuesIn(keynessRows),
                         [](const auto &info) { return std::string(info.param.name); });

CountedSet countedSet(std::initializer_list<std::pair<const char16_t *, qsizetype>> counts)
{
    CountedSet words;
    for (const auto &[word, count] : counts)
        words.add(QStringView(word), count);
    return words;
}

TEST(KeynessTable, HoldsTheWordsOfBothTextsMostSignificantFirst)
{
    const CountedSet a = countedSet({{u"the", 50}, {u"lord", 30}, {u"and", 20}});
    const CountedSet b = countedSet({{u"the", 50}, {u"and", 20}, {u"ship", 30}});
    const std::vector<KeywordRow> rows = compareWordCounts(a, b);

    ASSERT_EQ(rows.size(), 4u);
    // lord and ship differ as much, in opposite ways: the word decides their order.
    EXPECT_EQ(rows[0].word, u"lord"_s);
    EXPECT_EQ(rows[1].word, u"ship"_s);
    EXPECT_EQ(rows[0].logLikelihood, rows[1].logLikelihood);
    EXPECT_EQ(rows[1].countA, 0);
    EXPECT_EQ(rows[1].countB, 30);
    EXPECT_LT(rows[1].logRatio, 0.0);
    EXPECT_EQ(rows[2].word, u"and"_s);
    EXPECT_EQ(rows[3].word, u"the"_s);
    EXPECT_EQ(rows[3].logLikelihood, 0.0);
}

} // namespace
