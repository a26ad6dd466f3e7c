#include "TreeGrowth.h"

#include "QtPrinters.h"
#include "RandomTexts.h"
#include "ReferenceTree.h"
#include "StopCheck.h"
#include "TextIndex.h"
#include "TokenWords.h"
#include "Tokeniser.h"

#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

std::shared_ptr<const VerbariumTree> treeOf(const QString &text, const QString &word)
{
    return growTree(TextIndex::build(text), word);
}

struct GrowthCase
{
    const char *name;
    QString text;
    QString word;
    QString expectedTree;
    quint32 rootLeaves;
};

void PrintTo(const GrowthCase &growthCase, std::ostream *out)
{
    *out << growthCase.name;
}

class TreeGrowth : public testing::TestWithParam<GrowthCase>
{
};

TEST_P(TreeGrowth, GivesTheTreeOfEveryWalk)
{
    const GrowthCase &growthCase = GetParam();
    const auto tree = treeOf(growthCase.text, growthCase.word);
    EXPECT_EQ(printedTree(*tree, tree->root()), growthCase.expectedTree);
    EXPECT_EQ(tree->countOfLeaves(tree->root()), growthCase.rootLeaves);
    EXPECT_FALSE(tree->parent(tree->root()));
    const auto reference = referenceTree(preparedText(growthCase.text), growthCase.word);
    EXPECT_EQ(differenceBetween(*reference, *tree), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TreeGrowth,
    testing::Values(
        GrowthCase{"ThreeSentences", u"a b. a b c. a d."_s, u"a"_s,
                   u"a:1[b:2[.:1[a:1[b:1[c:1[.:1]]]] c:1[.:1[a:1[d:1[.:1]]]]] d:1[.:1]]"_s, 3},
        GrowthCase{"ExclamationThenSentenceEndStops", u"x a b! ! c d. e"_s, u"a"_s,
                   u"a:1[b:1[!:1[!:1]]]"_s, 1},
        GrowthCase{"FullStopThenSentenceEndRunsOn", u"x a b. . c d. e"_s, u"a"_s,
                   u"a:1[b:1[.:1[.:1[c:1[d:1[.:1]]]]]]"_s, 1},
        GrowthCase{"OverlappingOccurrences", u"the the the"_s, u"the"_s, u"the:1[the:2[the:1]]"_s,
                   1},
        GrowthCase{"OccurrenceIsTheLastToken", u"one. two"_s, u"two"_s, u"two:1"_s, 1},
        GrowthCase{"MissingWord", u"the cat"_s, u"dog"_s, u"dog:1"_s, 1},
        GrowthCase{"EmptyText", QString(), u"a"_s, u"a:1"_s, 1},
        GrowthCase{"WordWithSpaceNeverMatches", u"the cat"_s, u"the "_s, u"the :1"_s, 1},
        GrowthCase{"QuestionMarksItsOwnNode", u"a b? c. d"_s, u"a"_s, u"a:1[b:1[?:1[c:1[.:1]]]]"_s,
                   1},
        GrowthCase{"RootWordFullStopCoversOneSentence", u"x. y z. w"_s, u"."_s,
                   u".:1[y:1[z:1[.:1]] w:1]"_s, 2},
        GrowthCase{"LongerPunctuationRunIsOrdinary", u"a b?! c. d. e"_s, u"a"_s,
                   u"a:1[b:1[?!:1[c:1[.:1[d:1[.:1]]]]]]"_s, 1},
        GrowthCase{"TextEndsInsideTheWalk", u"a b c"_s, u"a"_s, u"a:1[b:1[c:1]]"_s, 1},
        GrowthCase{"TiesKeepFirstOccurrence", u"k z. k y. k z. k y. k x"_s, u"k"_s,
                   u"k:1[z:2[.:2[k:2[y:2[.:2]]]] y:2[.:2[k:2[z:1[.:1] x:1]]] x:1]"_s, 4},
        GrowthCase{"SurrogatePairPunctuationIsSetApart", u"a b\U00010100c. d"_s, u"a"_s,
                   u"a:1[b:1[\U00010100:1[c:1[.:1[d:1]]]]]"_s, 1},
        GrowthCase{"SurrogatePairLetterStaysInTheWord", u"\U00010400x b. c"_s, u"\U00010428x"_s,
                   u"\U00010428x:1[b:1[.:1[c:1]]]"_s, 1}),
    [](const testing::TestParamInfo<GrowthCase> &info) { return info.param.name; });

TEST(TreeGrowth, TrimsToThirtyChildrenKeepingTheEarliestOfEqualCounts)
{
    QString text;
    for (int follower = 0; follower < 40; ++follower)
        text += u"r w%1. "_s.arg(follower);
    text += u"r w39."_s;
    const auto tree = treeOf(text, u"r"_s);
    const Node root = tree->root();
    ASSERT_EQ(tree->childCount(root), 30u);
    EXPECT_EQ(tree->word(tree->child(root, 0)), u"w39"_s);
    EXPECT_EQ(tree->count(tree->child(root, 0)), 2u);
    EXPECT_EQ(tree->word(tree->child(root, 1)), u"w0"_s);
    EXPECT_EQ(tree->word(tree->child(root, 29)), u"w28"_s);
    EXPECT_EQ(tree->countOfLeaves(root), 30u);
}

class RandomTreeGrowth : public testing::TestWithParam<RandomTexts>
{
};


TEST_P(RandomTreeGrowth, MatchesTheLiteralWalks)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < GetParam().rounds; ++round) {
        const QString text = randomText(random, GetParam());
        const auto index = TextIndex::build(text);
        const QString prepared = preparedText(text);
        for (const QString &word : {u"w0"_s, u"w1"_s, u"."_s, u"!"_s, u","_s}) {
            const auto fast = growTree(index, word);
            const auto reference = referenceTree(prepared, word);
            ASSERT_EQ(differenceBetween(*reference, *fast), QString())
                << "text: " << text.toStdString() << " word: " << word.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RandomTreeGrowth,
    testing::Values(RandomTexts{"FewWordsManyRepeats", 200, 60, 3, 0.0},
                    RandomTexts{"ShortTexts", 300, 12, 4, 0.0},
                    RandomTexts{"ManyFollowersTrimmed", 40, 400, 70, 0.35},
                    RandomTexts{"LongWalks", 40, 300, 2, 0.1},
                    RandomTexts{"NoSentenceEnds", 60, 150, 3, 0.1, false},
                    RandomTexts{"PastedTwice", 60, 120, 4, 0.1, true, true},
                    RandomTexts{"PastedTwiceWithoutSentenceEnds", 60, 120, 3, 0.1, false, true},
                    RandomTexts{"OneWordRepeated", 40, 80, 1, 0.0, false}),
    [](const testing::TestParamInfo<RandomTexts> &info) { return info.param.name; });

TEST(TreeGrowth, TreeOutlivesItsIndex)
{
    std::shared_ptr<const VerbariumTree> tree;
    {
        const auto index = TextIndex::build(u"a b c d. a b e."_s);
        tree = growTree(index, u"a"_s);
    }
    const Node b = tree->child(tree->root(), 0);
    ASSERT_EQ(tree->childCount(b), 2u);
    EXPECT_EQ(tree->word(tree->child(b, 0)), u"c"_s);
    EXPECT_EQ(tree->word(tree->child(tree->child(b, 0), 0)), u"d"_s);
}

// The run of a single walk is one segment, however long: growing it costs as little
// as a short one, and reading it walks the slice of the text.
TEST(TreeGrowth, LongRunsAreOneSegment)
{
    QString text = u"start"_s;
    for (int token = 0; token < 300000; ++token)
        text += u" t"_s;
    const auto tree = treeOf(text, u"start"_s);
    EXPECT_EQ(tree->segments().size(), 2u);
    EXPECT_EQ(tree->descendantCount(tree->root()), 300000u);
    Node node = tree->root();
    int depth = 0;
    while (tree->childCount(node) > 0) {
        node = tree->child(node, 0);
        ++depth;
    }
    EXPECT_EQ(depth, 300000);
    EXPECT_EQ(tree->word(node), u"t"_s);
    EXPECT_EQ(tree->countOfLeaves(node), 1u);
    EXPECT_EQ(tree->parent(node), (Node{1, 299998}));
}

// Every stage of the work on a text reads its stop token as it goes: once a stop is
// requested, it ends with WorkStopped instead of finishing.
TEST(TreeGrowth, EveryStageEndsOnceStopped)
{
    const QString text = u"the cat sat on the mat. "_s.repeated(20000);
    const auto index = TextIndex::build(text);
    std::stop_source stopped;
    stopped.request_stop();
    const std::stop_token stop = stopped.get_token();
    EXPECT_THROW(tokenise(text, stop), WorkStopped);
    EXPECT_THROW(wordsOfTokens(index->tokens(), stop), WorkStopped);
    EXPECT_THROW(TextIndex::build(tokenise(text), stop), WorkStopped);
    EXPECT_THROW(growTree(index, u"the"_s, stop), WorkStopped);
}

} // namespace
