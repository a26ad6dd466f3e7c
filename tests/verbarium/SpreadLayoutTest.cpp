#include "FileParser.h"
#include "FixedMeasurer.h"
#include "LiteralNode.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "TreeNotation.h"
#include "VerbariumLayout.h"
#include "WordOverlaps.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// Single-precision sums leave slivers this thin between neighbouring bands.
constexpr double sliver = 0.01;

// Words of the same size that differ in height, so that a layout that took one word's
// height for another's would show it.
class UnevenMeasurer : public TextMeasurer
{
public:
    QSizeF preferredSize(const AttributedString &string) const override
    {
        return {double(string.text.size()) * string.fontSize * 0.5,
                string.fontSize * (1.0 + 0.2 * double(string.text.size() % 4))};
    }
};

QString describe(const PlacedWord &word)
{
    const QRectF box = word.box();
    return u"%1 at (%2, %3) %4 x %5"_s.arg(word.string.text)
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
}

// The vertical extent of the words drawn at and after each word, in picture order: a
// word's subtree is the words after it up to the next one that is not its descendant.
struct Extent
{
    double bottom;
    double top;
};

bool isDescendant(const VerbariumTree &tree, Node node, Node ancestor)
{
    for (auto parent = tree.parent(node); parent; parent = tree.parent(*parent))
        if (*parent == ancestor)
            return true;
    return false;
}

std::vector<Extent> subtreeExtents(const VerbariumPicture &picture)
{
    const auto &words = picture.words;
    std::vector<Extent> extents;
    for (std::size_t first = 0; first < words.size(); ++first) {
        Extent extent{words[first].box().top(), words[first].box().bottom()};
        for (std::size_t next = first + 1;
             next < words.size() &&
             isDescendant(*picture.tree, words[next].node, words[first].node);
             ++next) {
            extent.bottom = std::min(extent.bottom, words[next].box().top());
            extent.top = std::max(extent.top, words[next].box().bottom());
        }
        extents.push_back(extent);
    }
    return extents;
}

// What must hold of every picture with room for every word, against the proportional
// layout of the same tree: the same words, strings, sizes, left ends and curves in the
// same order; no two words overlapping; the followers of every branching word, each
// with everything drawn after it, stacked top to bottom without overlapping; and the
// whole picture inside the view.
void expectRoomForEveryWord(const TextMeasurer &measurer,
                            const std::shared_ptr<const VerbariumTree> &tree, QSizeF visible)
{
    const VerbariumLayout layout(measurer);
    const VerbariumPicture spread = layout.spreadVerbariumFromNode(tree, tree->root(), visible);
    const VerbariumPicture bands = layout.displayVerbariumFromNode(
        tree, tree->root(), QRectF(QPointF(0, 0), visible), visible);

    ASSERT_EQ(spread.words.size(), bands.words.size());
    for (std::size_t i = 0; i < spread.words.size(); ++i) {
        const PlacedWord &word = spread.words[i];
        EXPECT_EQ(word.node, bands.words[i].node);
        EXPECT_EQ(word.string, bands.words[i].string);
        EXPECT_EQ(word.size, bands.words[i].size);
        EXPECT_EQ(word.position.x(), bands.words[i].position.x());
        EXPECT_GE(word.box().top(), -sliver) << describe(word).toStdString();
        EXPECT_LE(word.box().bottom(), spread.viewSize.height() + sliver);
        EXPECT_LE(word.box().right(), spread.viewSize.width());
    }
    ASSERT_EQ(spread.curves.size(), bands.curves.size());
    for (std::size_t i = 0; i < spread.curves.size(); ++i) {
        EXPECT_EQ(spread.curves[i].from.x(), bands.curves[i].from.x());
        EXPECT_EQ(spread.curves[i].to.x(), bands.curves[i].to.x());
    }

    if (const auto overlap = firstOverlap(spread.words, sliver)) {
        ADD_FAILURE() << describe(spread.words[overlap->first]).toStdString() << " overlaps "
                      << describe(spread.words[overlap->second]).toStdString();
    }

    // The followers of a branching word are the words its curves end at, top band first.
    const std::vector<Extent> extents = subtreeExtents(spread);
    std::optional<Extent> above;
    QPointF branchingEnd(-1, -1);
    for (const PlacedCurve &curve : spread.curves) {
        const auto follower =
            std::find_if(spread.words.begin(), spread.words.end(),
                         [&curve](const PlacedWord &word) { return word.position == curve.to; });
        ASSERT_NE(follower, spread.words.end());
        const Extent extent = extents[std::size_t(follower - spread.words.begin())];
        if (curve.from != branchingEnd)
            above.reset();
        if (above) {
            EXPECT_LE(extent.top, above->bottom + sliver) << describe(*follower).toStdString();
        }
        above = extent;
        branchingEnd = curve.from;
    }
}

// Random trees of every shape the layout meets: wide fans, long runs, long and short
// words, punctuation, counts from rare to as frequent as the most frequent follower.
class RandomTrees
{
public:
    explicit RandomTrees(unsigned seed)
        : m_random(seed)
    {}

    std::shared_ptr<const VerbariumTree> next()
    {
        LiteralNode root(u"start"_s);
        for (quint32 i = 1; i < 40; ++i)
            root.incCount();
        grow(root, 40, 0);
        root.sortArrays();
        return verbariumTreeOf(root);
    }

private:
    void grow(LiteralNode &node, quint32 count, int level)
    {
        // Wide fans near the start, where they are drawn; runs and small forks below.
        static const std::vector<int> nearFanOuts{0, 1, 1, 2, 3, 5, 12, 30, 40};
        static const std::vector<int> farFanOuts{0, 1, 1, 2};
        if (level > 7)
            return;
        const std::vector<int> &fanOuts = level < 3 ? nearFanOuts : farFanOuts;
        const int children = fanOuts[pick(fanOuts.size())];
        for (int i = 0; i < children; ++i) {
            static const QStringList words{u"a"_s,
                                           u"lord"_s,
                                           u"."_s,
                                           u","_s,
                                           u"king"_s,
                                           u"don't"_s,
                                           u"incomprehensibilities"_s,
                                           u"of"_s};
            LiteralNode &child =
                node.addChild(words[qsizetype(pick(words.size()))] + QString::number(i));
            const quint32 childCount = 1 + quint32(pick(count));
            for (quint32 c = 1; c < childCount; ++c)
                child.incCount();
            grow(child, childCount, level + 1);
        }
    }
    std::size_t pick(std::size_t below)
    {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(m_random);
    }

    std::mt19937 m_random;
};

struct MeasureRow
{
    const char *name;
    const TextMeasurer *measurer;
    QSizeF visible;
};

void PrintTo(const MeasureRow &row, std::ostream *os)
{
    *os << row.name;
}

const FixedMeasurer fixedMeasurer;
const UnevenMeasurer unevenMeasurer;

class SpreadLayout : public testing::TestWithParam<MeasureRow>
{
};

TEST_P(SpreadLayout, RandomTreesHaveRoomForEveryWord)
{
    RandomTrees trees(20261208);
    for (int round = 0; round < 150; ++round) {
        const auto tree = trees.next();
        SCOPED_TRACE(round);
        expectRoomForEveryWord(*GetParam().measurer, tree, GetParam().visible);
        if (testing::Test::HasFailure())
            return;
    }
}

// A real text, this project's own README, grown from its most frequent words.
TEST_P(SpreadLayout, TreesOfARealTextHaveRoomForEveryWord)
{
    QFile file(QStringLiteral(VERBARIUM_README_PATH));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    FileParser parser;
    parser.inputStrings(QString::fromUtf8(file.readAll()));
    const auto index = TextIndex::build(parser.treeText());
    for (const QString &word : {u"the"_s, u"a"_s, u"."_s, u"verbarium"_s, u","_s}) {
        SCOPED_TRACE(word.toStdString());
        const auto tree = growTree(index, word);
        ASSERT_GT(tree->childCount(tree->root()), 1u);
        expectRoomForEveryWord(*GetParam().measurer, tree, GetParam().visible);
    }
}

INSTANTIATE_TEST_SUITE_P(VerbariumLayout, SpreadLayout,
                         testing::Values(MeasureRow{"Fixed", &fixedMeasurer, QSizeF(800, 600)},
                                         MeasureRow{"Uneven", &unevenMeasurer, QSizeF(800, 600)},
                                         MeasureRow{"TallWindow", &fixedMeasurer,
                                                    QSizeF(300, 5000)},
                                         MeasureRow{"TinyWindow", &unevenMeasurer, QSizeF(1, 1)}),
                         [](const auto &info) { return info.param.name; });

struct BandRow
{
    const char *name;
    double visibleHeight;
    double startY;
    double aY;
    double bY;
    double viewHeight;
};

void PrintTo(const BandRow &row, std::ostream *os)
{
    *os << row.name;
}

class SpreadBandHeights : public testing::TestWithParam<BandRow>
{
};

// s[a:4[x y z] b:2] in the fixed measurement: s is 37.5 high, a 39.052, b 29.181 and
// x, y and z 20.403 each (to three decimals). a needs its three followers, 61.208; b
// itself; s both, 90.388.
TEST_P(SpreadBandHeights, BandsHoldTheirWordsAndShareTheSpareRoomByLeaves)
{
    const BandRow &row = GetParam();
    const FixedMeasurer measurer;
    const auto tree = treeFromNotation(u"s[a:4[x y z] b:2]"_s);
    const VerbariumPicture picture = VerbariumLayout(measurer).spreadVerbariumFromNode(
        tree, tree->root(), QSizeF(600, row.visibleHeight));
    ASSERT_EQ(picture.words.size(), 6u);
    constexpr double tolerance = 0.01;
    EXPECT_NEAR(picture.words[0].position.y(), row.startY, tolerance);
    EXPECT_NEAR(picture.words[1].position.y(), row.aY, tolerance);
    EXPECT_NEAR(picture.words[5].position.y(), row.bY, tolerance);
    EXPECT_NEAR(picture.viewSize.height(), row.viewHeight, tolerance);
    EXPECT_EQ(picture.viewSize.width(), 600.0);
}

// Room to spare, 300 − 90.388: a's band is 61.208 + 3/4 of it, 218.417, b's 29.181 +
// 1/4, 81.584. Without room, the view grows to what s needs and each band is what it
// holds: a's centre lies 30.604 below the top, b's 14.590 above the bottom.
INSTANTIATE_TEST_SUITE_P(VerbariumLayout, SpreadBandHeights,
                         testing::Values(BandRow{"RoomToSpare", 300, 150, 190.792, 40.792, 300},
                                         BandRow{"NoRoom", 50, 45.194, 59.784, 14.590, 90.388}),
                         [](const auto &info) { return info.param.name; });

struct OverlapRow
{
    const char *name;
    QRectF first; // x, y of the bottom edge, width, height
    QRectF second;
    bool overlaps;
};

void PrintTo(const OverlapRow &row, std::ostream *os)
{
    *os << row.name;
}

class WordOverlaps : public testing::TestWithParam<OverlapRow>
{
};

PlacedWord wordIn(const QRectF &box)
{
    return {Node{}, {}, QPointF(box.x(), box.y() + box.height() / 2), box.size()};
}

TEST_P(WordOverlaps, FindsBoxesThatOverlapBothWays)
{
    const OverlapRow &row = GetParam();
    // Words elsewhere in the picture, before and between, do not hide the pair.
    const std::vector<PlacedWord> words{wordIn(QRectF(500, 0, 10, 10)), wordIn(row.second),
                                        wordIn(QRectF(-50, 300, 40, 10)), wordIn(row.first)};
    const auto overlap = firstOverlap(words, visibleOverlap);
    EXPECT_EQ(overlap.has_value(), row.overlaps);
    if (overlap && row.overlaps) {
        EXPECT_EQ(*overlap, std::pair(std::size_t(1), std::size_t(3)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    VerbariumLayout, WordOverlaps,
    testing::Values(
        OverlapRow{"StackedWords", QRectF(0, 0, 50, 20), QRectF(10, 10, 50, 20), true},
        OverlapRow{"Touching", QRectF(0, 0, 50, 20), QRectF(0, 20, 50, 20), false},
        OverlapRow{"SliverUp", QRectF(0, 0, 50, 20), QRectF(0, 19.5, 50, 20), false},
        OverlapRow{"SameLineApart", QRectF(0, 0, 50, 20), QRectF(53, 0, 50, 20), false},
        OverlapRow{"SliverAcross", QRectF(0, 0, 50, 20), QRectF(49.5, 5, 50, 20), false},
        OverlapRow{"Inside", QRectF(0, 0, 200, 40), QRectF(150, 10, 10, 10), true},
        OverlapRow{"FarRightStartsEarlier", QRectF(100, 0, 400, 20), QRectF(0, 5, 120, 20), true},
        OverlapRow{"AboveEachOther", QRectF(0, 0, 50, 20), QRectF(20, 100, 50, 20), false}),
    [](const auto &info) { return info.param.name; });

} // namespace
