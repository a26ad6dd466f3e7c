#include "VerbariumLayout.h"

#include "CurveLayer.h"
#include "FixedMeasurer.h"
#include "NodeLayer.h"
#include "TreeNotation.h"
#include "TreeText.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double tolerance = 0.005; // the figures below are given to two decimals

struct Picture
{
    Layer root;
    FixedMeasurer measurer;
    VerbariumLayout layout{root, measurer};
    QSizeF frame;

    explicit Picture(QSizeF size)
        : frame(size)
    {
        root.setBounds(QRectF(QPointF(0, 0), size));
    }

    void display(const std::shared_ptr<Node> &node)
    {
        frame = layout.displayVerbariumFromNode(node, frame);
    }

    const NodeLayer *word(const QString &name) const
    {
        for (Layer *layer : layout.layers()) {
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer);
                nodeLayer && nodeLayer->name() == name)
                return nodeLayer;
        }
        return nullptr;
    }

    QList<const CurveLayer *> curves() const
    {
        QList<const CurveLayer *> found;
        for (Layer *layer : layout.layers()) {
            if (auto *curve = dynamic_cast<const CurveLayer *>(layer))
                found.append(curve);
        }
        return found;
    }

    QSet<QString> drawnWords() const
    {
        QSet<QString> names;
        for (Layer *layer : layout.layers()) {
            if (dynamic_cast<const NodeLayer *>(layer))
                names.insert(layer->name());
        }
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
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(u"s[a:4[x y z] b:2]"_s);
    picture.display(root);

    const double startEnd = 20 + startWidth(u"s"_s);
    const NodeLayer *s = picture.word(u"s"_s);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->position(), QPointF(20, 150));
    EXPECT_EQ(s->string().fontSize, 30.0);
    EXPECT_EQ(s->zPosition(), 1.0);
    EXPECT_EQ(root->pos(), QPointF(startEnd, 150));
    EXPECT_FLOAT_EQ(picture.layout.maxCount(), 4.0f);

    const NodeLayer *a = picture.word(u"a"_s);
    const NodeLayer *b = picture.word(u"b"_s);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->position(), QPointF(startEnd + 30, 187.5));
    EXPECT_NEAR(a->string().fontSize, 31.24, tolerance);
    EXPECT_EQ(b->position(), QPointF(startEnd + 30, 37.5));
    EXPECT_NEAR(b->string().fontSize, 23.34, tolerance);
    EXPECT_EQ(a->anchorPoint(), QPointF(0, 0.5));
    EXPECT_EQ(a->string().fontName, u"Futura-CondensedMedium"_s);

    // a's three followers share a's band, 75 to 300, top first.
    EXPECT_EQ(picture.word(u"x"_s)->position().y(), 262.5);
    EXPECT_EQ(picture.word(u"y"_s)->position().y(), 187.5);
    EXPECT_EQ(picture.word(u"z"_s)->position().y(), 112.5);

    const auto curves = picture.curves();
    ASSERT_EQ(curves.size(), 5);
    EXPECT_EQ(curves[0]->frameAsSet(), QRectF(startEnd, 150, 30, 37.5));
    EXPECT_EQ(curves.back()->frameAsSet(), QRectF(startEnd, 150, 30, -112.5));
    EXPECT_EQ(curves.back()->name(), u"curve.layer"_s);
    EXPECT_EQ(curves.back()->zPosition(), 0.0);

    // Depth first: the start word, then each follower, its curve and what lies below it.
    QStringList order;
    for (Layer *layer : picture.layout.layers())
        order.append(layer->name());
    EXPECT_EQ(order.join(u' '), u"s a curve.layer x curve.layer y curve.layer z curve.layer b "
                                u"curve.layer"_s);
    EXPECT_EQ(picture.root.name(), u"mainLayer"_s);
}

TEST(VerbariumLayout, FollowerSizesGrowWithTheLogarithmOfTheCount)
{
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(u"s[a:10 b:5 c:3 d:2 e:1]"_s);
    picture.display(root);
    const QList<std::pair<QString, double>> expected{
        {u"a"_s, 31.24}, {u"b"_s, 23.34}, {u"c"_s, 18.06}, {u"d"_s, 14.31}, {u"e"_s, 12.0}};
    for (const auto &[word, size] : expected) {
        ASSERT_NE(picture.word(word), nullptr) << word.toStdString();
        EXPECT_NEAR(picture.word(word)->string().fontSize, size, tolerance) << word.toStdString();
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
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(row.tree);
    picture.display(root);

    const NodeLayer *follower = picture.word(row.follower);
    ASSERT_NE(follower, nullptr);
    const Node *parent = follower->node()->parent();
    EXPECT_NEAR(follower->position().x() - parent->pos().x(), row.gap, tolerance);
    EXPECT_EQ(follower->position().y(), parent->pos().y());
    EXPECT_NEAR(follower->string().fontSize, row.drawnSize, tolerance);
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
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(GetParam().tree);
    picture.display(root);
    const QStringList &drawn = GetParam().drawn;
    EXPECT_EQ(picture.drawnWords(), QSet<QString>(drawn.begin(), drawn.end()));
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
    Picture picture(row.frame);
    const auto root = treeFromNotation(u"s[ab:2 c]"_s);
    picture.display(root);
    EXPECT_NEAR(picture.frame.width(), row.expected.width(), tolerance);
    EXPECT_NEAR(picture.frame.height(), row.expected.height(), tolerance);
    EXPECT_EQ(picture.layout.viewSize(), picture.frame);
}

// Width: ab ends at 65 + 2 × 31.24 / 2 + 20 = 116.24. Height: ab's centre (3/4 of the
// height) plus half its height (1.25 × 31.24 / 2 = 19.53).
INSTANTIATE_TEST_SUITE_P(
    VerbariumLayout, ViewGrowth,
    testing::Values(GrowthRow{"Grows", QSizeF(50, 20), QSizeF(116.24, 15 + 19.53)},
                    GrowthRow{"WiderFrameKept", QSizeF(400, 20), QSizeF(400, 15 + 19.53)},
                    GrowthRow{"LargeFrameKept", QSizeF(400, 300), QSizeF(400, 300)}),
    [](const auto &info) { return info.param.name; });

QList<QRectF> geometry(const Picture &picture)
{
    QList<QRectF> boxes;
    for (Layer *layer : picture.layout.layers())
        boxes.append(layer->frame());
    return boxes;
}

TEST(VerbariumLayout, RedisplayReplacesThePicture)
{
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(u"s[a:4[x y z] b:2[u v]]"_s);
    picture.display(root);
    const QList<QRectF> first = geometry(picture);
    std::weak_ptr<Node> watched = std::shared_ptr<Node>(root, root->children().front().get());

    picture.display(root);
    EXPECT_EQ(geometry(picture), first);
    ASSERT_EQ(picture.root.sublayers().size(), picture.layout.layers().size());
    for (std::size_t i = 0; i < picture.root.sublayers().size(); ++i)
        EXPECT_EQ(picture.root.sublayers()[i].get(), picture.layout.layers()[i]);
    EXPECT_FALSE(watched.expired());
}

TEST(VerbariumLayout, StartNodeWithoutChildrenShowsItsWordAlone)
{
    Picture picture(QSizeF(600, 300));
    const auto root = treeFromNotation(u"s[a:4 b:2]"_s);
    picture.display(root);
    const std::shared_ptr<Node> leaf(root, root->children().back().get());

    picture.display(leaf);
    ASSERT_EQ(picture.layout.layers().size(), 1u);
    EXPECT_EQ(picture.root.sublayers().size(), 1u);
    EXPECT_EQ(picture.word(u"b"_s)->position(), QPointF(20, 150));
    EXPECT_EQ(picture.word(u"b"_s)->string().fontSize, 30.0);
    EXPECT_FLOAT_EQ(picture.layout.maxCount(), 4.0f);
    EXPECT_EQ(picture.frame, QSizeF(600, 300));
    EXPECT_EQ(picture.layout.startNode(), leaf);
}

TEST(VerbariumLayout, LayersKeepTheirTreeAfterTheRootIsDropped)
{
    Picture picture(QSizeF(600, 300));
    auto root = treeFromNotation(u"s[a[x y] b]"_s);
    picture.display(root);
    std::weak_ptr<Node> tree = root;
    root.reset();

    ASSERT_FALSE(tree.expired());
    const NodeLayer *x = picture.word(u"x"_s);
    ASSERT_NE(x, nullptr);
    QStringList path;
    for (const Node *node = x->node(); node; node = node->parent())
        path.prepend(node->word());
    EXPECT_EQ(path.join(u' '), u"s a x"_s);

    // Displaying from a node of that tree drops the old layers, which held the last
    // references: the start word's layer keeps the tree alive.
    picture.display(x->sharedNode());
    EXPECT_FALSE(tree.expired());
    EXPECT_EQ(picture.drawnWords(), QSet<QString>{u"x"_s});
    EXPECT_EQ(picture.layout.startNode()->parent()->word(), u"a"_s);
}

} // namespace

namespace {

TEST(VerbariumLayout, CutsARunOfSingleFollowersAsLongAsTheText)
{
    // Without sentence ends every follower has one follower of its own down to the end
    // of the text: deeper than any call stack could follow one call per word, and more
    // words than a window can show.
    constexpr int runLength = 200000;
    QString text = u"w"_s;
    for (int i = 0; i < runLength; ++i)
        text += u" t"_s;
    const std::shared_ptr<Node> root = TreeText(text).growTree(u"w"_s);

    Picture picture(QSizeF(600, 300));
    picture.display(root);

    EXPECT_EQ(picture.layout.layers().size(), size_t(VerbariumLayout::longestRun) + 1);
    const Layer *last = picture.layout.layers().back();
    EXPECT_EQ(last->name(), u"t"_s);
    EXPECT_DOUBLE_EQ(last->position().y(), 150.0); // the whole run stays on the start's line
}

} // namespace
