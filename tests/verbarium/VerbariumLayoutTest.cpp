#include "VerbariumLayout.h"

#include "CurveLayer.h"
#include "FixedMeasurer.h"
#include "NodeLayer.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "TreeNotation.h"
#include "VerbariumLayers.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double tolerance = 0.005; // the figures below are given to two decimals

// Successive displays in a view whose root layer keeps the bounds it started with,
// while its frame grows as the displays ask.
struct Display
{
    FixedMeasurer measurer;
    QRectF bounds;
    QSizeF frame;
    VerbariumPicture picture;

    explicit Display(QSizeF size)
        : bounds(QPointF(0, 0), size)
        , frame(size)
    {}

    void show(const std::shared_ptr<const VerbariumTree> &tree, Node node)
    {
        picture = VerbariumLayout(measurer).displayVerbariumFromNode(tree, node, bounds, frame);
        frame = picture.viewSize;
    }
    void show(const std::shared_ptr<const VerbariumTree> &tree) { show(tree, tree->root()); }

    const PlacedWord *word(const QString &name) const
    {
        for (const PlacedWord &word : picture.words) {
            if (word.string.text == name)
                return &word;
        }
        return nullptr;
    }

    QSet<QString> drawnWords() const
    {
        QSet<QString> names;
        for (const PlacedWord &word : picture.words)
            names.insert(word.string.text);
        return names;
    }
};

// Width of a word at the start size in the fixed measurement.
double startWidth(const QString &word)
{
    return word.size() * 30.0 * 0.5;
}

TEST(VerbariumLayout, BandsFontSizesAndCurvesOfTwoFollowers)
{
    Display display(QSizeF(600, 300));
    display.show(treeFromNotation(u"s[a:4[x y z] b:2]"_s));

    const double startEnd = 20 + startWidth(u"s"_s);
    const PlacedWord *s = display.word(u"s"_s);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->position, QPointF(20, 150));
    EXPECT_EQ(s->string.fontSize, 30.0);
    EXPECT_EQ(s->end(), QPointF(startEnd, 150));
    EXPECT_FLOAT_EQ(display.picture.maxCount, 4.0f);

    const PlacedWord *a = display.word(u"a"_s);
    const PlacedWord *b = display.word(u"b"_s);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->position, QPointF(startEnd + 30, 187.5));
    EXPECT_NEAR(a->string.fontSize, 31.24, tolerance);
    EXPECT_EQ(b->position, QPointF(startEnd + 30, 37.5));
    EXPECT_NEAR(b->string.fontSize, 23.34, tolerance);
    EXPECT_EQ(a->string.fontName, u"Futura-CondensedMedium"_s);

    // a's three followers share a's band, 75 to 300, top first.
    EXPECT_EQ(display.word(u"x"_s)->position.y(), 262.5);
    EXPECT_EQ(display.word(u"y"_s)->position.y(), 187.5);
    EXPECT_EQ(display.word(u"z"_s)->position.y(), 112.5);

    // Depth first: the start word, then each follower and what lies below it.
    QStringList order;
    for (const PlacedWord &word : display.picture.words)
        order.append(word.string.text);
    EXPECT_EQ(order.join(u' '), u"s a x y z b"_s);

    // As layers: words above the curves, which keep the layout's order.
    const std::unique_ptr<Layer> root = verbariumLayers(display.picture, display.frame);
    EXPECT_EQ(root->name(), u"mainLayer"_s);
    QList<const CurveLayer *> curves;
    for (const Layer *layer : root->sublayersInPaintOrder()) {
        if (const auto *curve = dynamic_cast<const CurveLayer *>(layer))
            curves.append(curve);
    }
    ASSERT_EQ(curves.size(), 5);
    EXPECT_EQ(curves[0]->frameAsSet(), QRectF(startEnd, 150, 30, 37.5));
    EXPECT_EQ(curves.back()->frameAsSet(), QRectF(startEnd, 150, 30, -112.5));
    EXPECT_EQ(curves.back()->name(), u"curve.layer"_s);
    const Layer *topmost = root->sublayersInPaintOrder().back();
    ASSERT_NE(dynamic_cast<const NodeLayer *>(topmost), nullptr);
    EXPECT_EQ(topmost->name(), u"b"_s);
    EXPECT_EQ(topmost->zPosition(), 1.0);
    EXPECT_EQ(topmost->anchorPoint(), QPointF(0, 0.5));
    EXPECT_EQ(topmost->frame(), QRectF(b->position.x(), b->position.y() - b->size.height() / 2,
                                       b->size.width(), b->size.height()));
}

TEST(VerbariumLayout, FollowerSizesGrowWithTheLogarithmOfTheCount)
{
    Display display(QSizeF(600, 300));
    display.show(treeFromNotation(u"s[a:10 b:5 c:3 d:2 e:1]"_s));
    const QList<std::pair<QString, double>> expected{
        {u"a"_s, 31.24}, {u"b"_s, 23.34}, {u"c"_s, 18.06}, {u"d"_s, 14.31}, {u"e"_s, 12.0}};
    for (const auto &[word, size] : expected) {
        ASSERT_NE(display.word(word), nullptr) << word.toStdString();
        EXPECT_NEAR(display.word(word)->string.fontSize, size, tolerance) << word.toStdString();
    }
}

struct InlineRow
{
    const char *name;
    QString tree;
    QString follower;
    double gap;
    double drawnSize;
};

void PrintTo(const InlineRow &row, std::ostream *os)
{
    *os << row.name;
}

class InlineFollower : public testing::TestWithParam<InlineRow>
{
};

TEST_P(InlineFollower, ContinuesTheLineWithoutCurve)
{
    const InlineRow &row = GetParam();
    Display display(QSizeF(600, 300));
    const auto tree = treeFromNotation(row.tree);
    display.show(tree);

    const PlacedWord *follower = display.word(row.follower);
    ASSERT_NE(follower, nullptr);
    const PlacedWord *parent = display.word(tree->word(*tree->parent(follower->node)));
    ASSERT_NE(parent, nullptr);
    EXPECT_NEAR(follower->position.x() - parent->end().x(), row.gap, tolerance);
    EXPECT_EQ(follower->position.y(), parent->end().y());
    EXPECT_NEAR(follower->string.fontSize, row.drawnSize, tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    VerbariumLayout, InlineFollower,
    testing::Values(InlineRow{"Punctuation", u"s[.]"_s, u"."_s, 3.0, 31.24},
                    InlineRow{"MostFrequentWord", u"s[cat]"_s, u"cat"_s, 10.41, 31.24},
                    // 9.03 is raised to 12.0 for drawing, but the gap uses 9.03.
                    InlineRow{"RareWordGapBeforeRaising", u"s[a:10[p q] b[cat]]"_s, u"cat"_s, 3.01,
                              12.0},
                    InlineRow{"PunctuationInsideWord", u"s[don't]"_s, u"don't"_s, 3.0, 31.24}),
    [](const auto &info) { return info.param.name; });

struct DepthRow
{
    const char *name;
    QString tree;
    QStringList drawn;
};

void PrintTo(const DepthRow &row, std::ostream *os)
{
    *os << row.name;
}

class DepthLimit : public testing::TestWithParam<DepthRow>
{
};

TEST_P(DepthLimit, DrawsTwoBranchingsDeep)
{
    Display display(QSizeF(600, 300));
    display.show(treeFromNotation(GetParam().tree));
    const QStringList &drawn = GetParam().drawn;
    EXPECT_EQ(display.drawnWords(), QSet<QString>(drawn.begin(), drawn.end()));
}

INSTANTIATE_TEST_SUITE_P(VerbariumLayout, DepthLimit,
                         testing::Values(DepthRow{"ThirdBranchingNotDrawn",
                                                  u"s[a[c[e f] d] b]"_s,
                                                  {u"s"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
                                         DepthRow{"SingleBelowSecondBranchingNotDrawn",
                                                  u"s[a[c[g] d] b]"_s,
                                                  {u"s"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
                                         DepthRow{"SingleContinuationsAddNoDepth",
                                                  u"s[a[b[c[e[x] f] d]]]"_s,
                                                  {u"s"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s,
                                                   u"f"_s}}),
                         [](const auto &info) { return info.param.name; });

struct GrowthRow
{
    const char *name;
    QSizeF frame;
    QSizeF expected;
};

void PrintTo(const GrowthRow &row, std::ostream *os)
{
    *os << row.name;
}

class ViewGrowth : public testing::TestWithParam<GrowthRow>
{
};

// s[ab:2 c]: ab (31.24) at x 65 and y 3/4 of the height, c (14.31) below it.
TEST_P(ViewGrowth, GrowsToTheFollowersButNeverShrinks)
{
    const GrowthRow &row = GetParam();
    Display display(row.frame);
    display.show(treeFromNotation(u"s[ab:2 c]"_s));
    EXPECT_NEAR(display.frame.width(), row.expected.width(), tolerance);
    EXPECT_NEAR(display.frame.height(), row.expected.height(), tolerance);
}

// Width: ab ends at 65 + 2 × 31.24 / 2 + 20 = 116.24. Height: ab's centre (3/4 of the
// height) plus half its height (1.25 × 31.24 / 2 = 19.53).
INSTANTIATE_TEST_SUITE_P(
    VerbariumLayout, ViewGrowth,
    testing::Values(GrowthRow{"Grows", QSizeF(50, 20), QSizeF(116.24, 15 + 19.53)},
                    GrowthRow{"WiderFrameKept", QSizeF(400, 20), QSizeF(400, 15 + 19.53)},
                    GrowthRow{"LargeFrameKept", QSizeF(400, 300), QSizeF(400, 300)}),
    [](const auto &info) { return info.param.name; });

TEST(VerbariumLayout, RedisplayGivesThePictureAgain)
{
    Display display(QSizeF(600, 300));
    const auto tree = treeFromNotation(u"s[a:4[x y z] b:2[u v]]"_s);
    display.show(tree);
    const VerbariumPicture first = display.picture;
    display.show(tree);
    ASSERT_EQ(display.picture.words.size(), first.words.size());
    for (std::size_t i = 0; i < first.words.size(); ++i) {
        EXPECT_EQ(display.picture.words[i].position, first.words[i].position);
        EXPECT_EQ(display.picture.words[i].size, first.words[i].size);
    }
    EXPECT_EQ(display.picture.curves.size(), first.curves.size());
}

TEST(VerbariumLayout, StartNodeWithoutChildrenShowsItsWordAlone)
{
    Display display(QSizeF(600, 300));
    const auto tree = treeFromNotation(u"s[a:4 b:2]"_s);
    display.show(tree);
    const Node leaf = tree->child(tree->root(), 1);

    display.show(tree, leaf);
    ASSERT_EQ(display.picture.words.size(), 1u);
    EXPECT_TRUE(display.picture.curves.empty());
    EXPECT_EQ(display.word(u"b"_s)->position, QPointF(20, 150));
    EXPECT_EQ(display.word(u"b"_s)->string.fontSize, 30.0);
    EXPECT_EQ(display.frame, QSizeF(600, 300));
    EXPECT_EQ(display.picture.startNode, leaf);
}

// Without sentence ends every follower has one follower of its own down to the end of
// the text: deeper than any call stack could follow one call per word, and more words
// than a window can show.
TEST(VerbariumLayout, CutsARunOfSingleFollowersAsLongAsTheText)
{
    constexpr int runLength = 200000;
    QString text = u"w"_s;
    for (int i = 0; i < runLength; ++i)
        text += u" t"_s;
    Display display(QSizeF(600, 300));
    display.show(growTree(TextIndex::build(text), u"w"_s));

    EXPECT_EQ(display.picture.words.size(), size_t(VerbariumLayout::longestRun) + 1);
    const PlacedWord &last = display.picture.words.back();
    EXPECT_EQ(last.string.text, u"t"_s);
    EXPECT_DOUBLE_EQ(last.position.y(), 150.0); // the whole run stays on the start's line
}

} // namespace
