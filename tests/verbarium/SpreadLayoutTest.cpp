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

// Words of one size that differ in height, so that a layout that took one word's
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

std::string describe(const PlacedWord &word)
{
    const QRectF box = word.box();
    return u"%1 from y %2 to %3"_s.arg(word.string.text)
        .arg(box.top())
        .arg(box.bottom())
        .toStdString();
}

bool isBelow(const VerbariumTree &tree, Node node, Node ancestor)
{
    for (auto parent = tree.parent(node); parent; parent = tree.parent(*parent))
        if (*parent == ancestor)
            return true;
    return false;
}

// The lowest and highest y of the words drawn from words[first]: the word and those
// after it in picture order, depth first, that lie below it in the tree.
std::pair<double, double> extentFrom(const VerbariumPicture &picture, std::size_t first)
{
    const auto &words = picture.words;
    std::pair extent(words[first].box().top(), words[first].box().bottom());
    for (std::size_t next = first + 1;
         next < words.size() && isBelow(*picture.tree, words[next].node, words[first].node);
         ++next) {
        extent.first = std::min(extent.first, words[next].box().top());
        extent.second = std::max(extent.second, words[next].box().bottom());
    }
    return extent;
}

// The same words, strings, left ends and curves as the proportional layout, in the same
// order; no two words overlapping; the followers of each branching word, each with what
// is drawn from it, stacked top down in its band; everything inside the view.
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
        EXPECT_EQ(word.string, bands.words[i].string);
        EXPECT_EQ(word.box().size(), bands.words[i].box().size());
        EXPECT_EQ(word.position.x(), bands.words[i].position.x());
        EXPECT_TRUE(QRectF(QPointF(0, 0), spread.viewSize)
                        .adjusted(0, -sliver, 0, sliver)
                        .contains(word.box()))
            << describe(word);
    }
    ASSERT_EQ(spread.curves.size(), bands.curves.size());
    for (std::size_t i = 0; i < spread.curves.size(); ++i)
        EXPECT_EQ(spread.curves[i].to.x(), bands.curves[i].to.x());

    if (const auto overlap = firstOverlap(spread.words, sliver)) {
        ADD_FAILURE() << describe(spread.words[overlap->first]) << " overlaps "
                      << describe(spread.words[overlap->second]);
    }

    std::optional<PlacedCurve> previous;
    double previousBottom = 0.0;
    for (const PlacedCurve &curve : spread.curves) {
        const auto follower =
            std::find_if(spread.words.begin(), spread.words.end(),
                         [&curve](const PlacedWord &word) { return word.position == curve.to; });
        ASSERT_NE(follower, spread.words.end());
        const auto [bottom, top] = extentFrom(spread, std::size_t(follower - spread.words.begin()));
        if (previous && previous->from == curve.from) {
            EXPECT_LE(top, previousBottom + sliver) << describe(*follower);
        }
        previous = curve;
        previousBottom = bottom;
    }
}

// Trees of every shape the layout meets: wide fans near the start, runs and small
// forks further out, long and short words, punctuation, rare and frequent counts.
std::shared_ptr<const VerbariumTree> randomTree(std::mt19937 &random)
{
    const auto pick = [&random](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    static const QStringList words{u"a"_s,    u"lord"_s,  u"."_s,  u","_s,
                                   u"king"_s, u"don't"_s, u"of"_s, u"incomprehensibilities"_s};
    static const std::vector<int> nearFanOuts{0, 1, 1, 2, 3, 5, 12, 30, 40};
    static const std::vector<int> farFanOuts{0, 1, 1, 2};
    LiteralNode root(u"start"_s);
    std::vector<std::tuple<LiteralNode *, quint32, int>> pending{{&root, 40, 0}};
    while (!pending.empty()) {
        const auto [node, count, level] = pending.back();
        pending.pop_back();
        const std::vector<int> &fanOuts = level < 3 ? nearFanOuts : farFanOuts;
        for (int i = level < 8 ? fanOuts[pick(fanOuts.size())] : 0; i > 0; --i) {
            LiteralNode &child =
                node->addChild(words[qsizetype(pick(words.size()))] + QString::number(i));
            const auto childCount = quint32(1 + pick(count));
            for (quint32 c = 1; c < childCount; ++c)
                child.incCount();
            pending.emplace_back(&child, childCount, level + 1);
        }
    }
    root.sortArrays();
    return verbariumTreeOf(root);
}

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

// Random trees, and the trees of a real text: this project's own README.
TEST_P(SpreadLayout, RandomAndRealTreesHaveRoomForEveryWord)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 150 && !HasFailure(); ++round) {
        SCOPED_TRACE(round);
        expectRoomForEveryWord(*GetParam().measurer, randomTree(random), GetParam().visible);
    }

    QFile file(QStringLiteral(VERBARIUM_README_PATH));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto index = TextIndex::build(QString::fromUtf8(file.readAll()));
    for (const QString &word : {u"the"_s, u"a"_s, u"."_s, u"verbarium"_s, u","_s}) {
        SCOPED_TRACE(word.toStdString());
        expectRoomForEveryWord(*GetParam().measurer, growTree(index, word), GetParam().visible);
    }
}

INSTANTIATE_TEST_SUITE_P(VerbariumLayout, SpreadLayout,
                         testing::Values(MeasureRow{"Fixed", &fixedMeasurer, QSizeF(800, 600)},
                                         MeasureRow{"Uneven", &unevenMeasurer, QSizeF(800, 600)},
                                         MeasureRow{"TallWindow", &fixedMeasurer,
                                                    QSizeF(300, 5000)},
                                         MeasureRow{"TinyWindow", &unevenMeasurer, QSizeF(1, 1)}),
                         [](const auto &info) { return info.param.name; });

// s[a:4[x y z] b:2] in the fixed measurement: s is 37.5 high, a 39.052, b 29.181, x, y
// and z 20.403 each. a needs its followers, 61.208, b itself, s both, 90.388. In 300
// the spare 209.612 goes 3/4 to a, 1/4 to b; in 50 the view grows to 90.388.
TEST(VerbariumLayout, SpreadBandsHoldTheirWordsAndShareTheSpareRoomByLeaves)
{
    const FixedMeasurer measurer;
    const auto tree = treeFromNotation(u"s[a:4[x y z] b:2]"_s);
    const VerbariumLayout layout(measurer);
    const VerbariumPicture roomy = layout.spreadVerbariumFromNode(tree, tree->root(), {600, 300});
    EXPECT_NEAR(roomy.words[1].position.y(), 300 - (61.208 + 157.209) / 2, 0.01);
    EXPECT_NEAR(roomy.words[5].position.y(), (29.181 + 52.403) / 2, 0.01);
    EXPECT_EQ(roomy.viewSize, QSizeF(600, 300));
    const VerbariumPicture tight = layout.spreadVerbariumFromNode(tree, tree->root(), {600, 50});
    EXPECT_NEAR(tight.words[0].position.y(), 90.388 / 2, 0.01);
    EXPECT_NEAR(tight.words[1].position.y(), 90.388 - 61.208 / 2, 0.01);
    EXPECT_NEAR(tight.viewSize.height(), 90.388, 0.01);
}

struct OverlapRow
{
    const char *name;
    QRectF second; // against a box from (0, 0), 50 wide and 20 high
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
    // Words elsewhere, before and between, do not hide the pair.
    const std::vector<PlacedWord> words{wordIn(QRectF(500, 0, 10, 10)), wordIn(GetParam().second),
                                        wordIn(QRectF(-50, 300, 40, 10)),
                                        wordIn(QRectF(0, 0, 50, 20))};
    const auto overlap = firstOverlap(words, visibleOverlap);
    EXPECT_EQ(overlap, GetParam().overlaps
                           ? std::optional(std::pair<std::size_t, std::size_t>(1, 3))
                           : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(VerbariumLayout, WordOverlaps,
                         testing::Values(OverlapRow{"Stacked", QRectF(10, 10, 50, 20), true},
                                         OverlapRow{"Touching", QRectF(0, 20, 50, 20), false},
                                         OverlapRow{"SliverUp", QRectF(0, 19.5, 50, 20), false},
                                         OverlapRow{"SliverAcross", QRectF(49.5, 5, 50, 20), false},
                                         OverlapRow{"Inside", QRectF(10, 5, 10, 10), true},
                                         OverlapRow{"StartsLeftEndsInside",
                                                    QRectF(-100, 5, 120, 20), true}),
                         [](const auto &info) { return info.param.name; });

} // namespace
