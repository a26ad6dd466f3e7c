#include "WordCloud.h"

#include "TestPrinting.h"

#include <gtest/gtest.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

QString wordNumber(int i)
{
    return QStringLiteral("w%1").arg(i);
}

// Groups of words: groupSizes[k] words that each occur (groupSizes.size() - k)
// times, so the first group has the highest count. Words are added group by group.
CountedSet groupsOfSizes(const std::vector<int> &groupSizes)
{
    CountedSet words;
    int next = 0;
    for (std::size_t k = 0; k < groupSizes.size(); ++k) {
        for (int i = 0; i < groupSizes[k]; ++i)
            words.add(wordNumber(next++), qsizetype(groupSizes.size() - k));
    }
    return words;
}

struct CapRow
{
    const char *name;
    std::vector<int> groupSizes;
    // How many words of each group are kept.
    std::vector<int> kept;
};

class WordCloudCapsTest : public testing::TestWithParam<CapRow>
{
};

TEST_P(WordCloudCapsTest, KeepsTheFirstWordsOfEachGroupUpToItsCap)
{
    const CapRow &row = GetParam();
    const WordDictionary elements = WordCloud(groupsOfSizes(row.groupSizes)).wordCloudElements();

    // The expected dictionary: group by group, each group's first words.
    WordDictionary expected;
    int first = 0;
    for (std::size_t k = 0; k < row.groupSizes.size(); ++k) {
        const int kept = k < row.kept.size() ? row.kept[k] : 0;
        for (int i = 0; i < kept; ++i)
            expected.insert(wordNumber(first + i), int(row.groupSizes.size() - k));
        first += row.groupSizes[k];
    }
    EXPECT_EQ(elements.entries(), expected.entries()) << describe(elements);
}

std::vector<int> repeated(int count, int value)
{
    return std::vector<int>(std::size_t(count), value);
}

std::vector<int> followedBy(std::vector<int> sizes, int last)
{
    sizes.push_back(last);
    return sizes;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WordCloudCapsTest,
    testing::Values(CapRow{"Empty", {}, {}}, CapRow{"OneGroupOf250", {250}, {200}},
                    CapRow{"ThreeGroupsOf300", {300, 300, 300}, {200, 199, 198}},
                    CapRow{"SizePlusPositionExactly200", {1, 199}, {1, 199}},
                    CapRow{"SizePlusPositionOver200", {1, 200}, {1, 199}},
                    CapRow{"250DistinctCounts", repeated(250, 1), repeated(200, 1)},
                    CapRow{"Group200GetsOneWord", followedBy(repeated(199, 1), 5),
                           repeated(200, 1)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WordCloud, KeepsCountsOfSmallSetGroupByGroup)
{
    CountedSet words;
    words.add(u"c", 3);
    words.add(u"a", 5);
    words.add(u"d", 1);
    words.add(u"b", 5);
    EXPECT_EQ(describe(WordCloud(words).wordCloudElements()), "a:5 b:5 c:3 d:1");
}

TEST(CountedSet, CountsStayFindableWhileTheSetGrows)
{
    // Distinct words are stored as strings the index views; growing must not
    // invalidate those views.
    CountedSet words;
    for (int i = 0; i < 5000; ++i)
        words.add(wordNumber(i % 2500));
    EXPECT_EQ(words.size(), 2500);
    for (int i : {0, 1, 1234, 2499})
        EXPECT_EQ(words.countFor(wordNumber(i)), 2) << i;
    EXPECT_EQ(words.countFor(u"absent"), 0);
    EXPECT_EQ(words.begin()->word, u"w0");
}

} // namespace

namespace {

TEST(CountedSet, SetOfDistinctWordsIndexesThemOnFirstLookup)
{
    CountedSet words = CountedSet::fromDistinct({{u"b"_s, 2}, {u"a"_s, 1}});
    EXPECT_EQ(words.countFor(u"b"), 2);
    words.add(u"a");
    words.add(u"c");
    std::vector<std::pair<QString, qsizetype>> enumerated;
    for (const CountedSet::Entry &entry : words)
        enumerated.emplace_back(entry.word, entry.count);
    const std::vector<std::pair<QString, qsizetype>> expected{
        {u"b"_s, 2}, {u"a"_s, 2}, {u"c"_s, 1}};
    EXPECT_EQ(enumerated, expected);
}

} // namespace
