#include "PictureOutline.h"

#include "BothSidesPicture.h"
#include "FixedMeasurer.h"
#include "TreeNotation.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// s branches into a (which runs on into b, then branches into x and y) and c.
VerbariumPicture picture()
{
    static const FixedMeasurer measurer;
    const auto tree = treeFromNotation(u"s[a:4[b:4[x:2 y:2]] c:2]"_s);
    return VerbariumLayout(measurer).displayVerbariumFromNode(tree, tree->root(),
                                                              QRectF(0, 0, 600, 300), {600, 300});
}

QStringList words(const VerbariumPicture &shown, const std::vector<int> &indices)
{
    QStringList list;
    for (const int index : indices)
        list << shown.words[std::size_t(index)].string.text;
    return list;
}

TEST(PictureOutline, FollowsTheTreeThroughTheShownWords)
{
    const VerbariumPicture shown = picture();
    const PictureOutline outline = outlineOf(shown);
    ASSERT_EQ(shown.words.size(), 6u); // s a b x y c, depth first
    EXPECT_EQ(outline.parent, (std::vector<int>{-1, 0, 1, 2, 2, 0}));
    EXPECT_EQ(outline.level, (std::vector<int>{1, 2, 3, 4, 4, 2}));
    EXPECT_EQ(words(shown, outline.children[0]), (QStringList{u"a"_s, u"c"_s}));
    EXPECT_EQ(words(shown, outline.children[2]), (QStringList{u"x"_s, u"y"_s}));
}

struct StepRow
{
    const char *name;
    int from;
    TreeStep step;
    int to;
};

void PrintTo(const StepRow &row, std::ostream *os)
{
    *os << row.name;
}

class OutlineSteps : public testing::TestWithParam<StepRow>
{
};

TEST_P(OutlineSteps, WalkTheShownTree)
{
    EXPECT_EQ(stepInOutline(outlineOf(picture()), GetParam().from, GetParam().step), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OutlineSteps,
    testing::Values(StepRow{"rightToTheFirstFollower", 0, TreeStep::FirstChild, 1},
                    StepRow{"rightAlongARun", 1, TreeStep::FirstChild, 2},
                    StepRow{"rightFromALeafStays", 3, TreeStep::FirstChild, 3},
                    StepRow{"leftToTheParent", 4, TreeStep::Parent, 2},
                    StepRow{"leftFromTheStartStays", 0, TreeStep::Parent, 0},
                    StepRow{"downToTheNextFollower", 1, TreeStep::NextSibling, 5},
                    StepRow{"downFromTheLastStays", 5, TreeStep::NextSibling, 5},
                    StepRow{"upToThePreviousFollower", 4, TreeStep::PreviousSibling, 3},
                    StepRow{"aRunHasNoOtherFollowers", 2, TreeStep::NextSibling, 2},
                    StepRow{"noFocusYetStartsAtTheStart", -1, TreeStep::NextSibling, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// s with p (then q) and r before it, and a and c after it: s a c p q r, the words
// after first. The start word's followers are of both sides; a step keeps to its side.
TEST(PictureOutline, OfBothSidesSharesTheStartAndStepsKeepToTheirSide)
{
    static const FixedMeasurer measurer;
    const VerbariumLayout layout(measurer);
    const auto sideOf = [&](const QString &notation) {
        const auto tree = treeFromNotation(notation);
        return layout.displayVerbariumFromNode(tree, tree->root(), QRectF(0, 0, 300, 300),
                                               {300, 300});
    };
    const VerbariumPicture shown = pictureOfBothSides(
        joinedSides(mirroredPicture(sideOf(u"s[p:2[q:2] r]"_s)), sideOf(u"s[a:2 c]"_s)));
    const PictureOutline outline = outlineOf(shown);
    ASSERT_EQ(shown.words.size(), 6u);
    EXPECT_EQ(outline.parent, (std::vector<int>{-1, 0, 0, 0, 3, 0}));
    EXPECT_EQ(outline.before, (std::vector<bool>{false, false, false, true, true, true}));
    EXPECT_EQ(stepInOutline(outline, 0, TreeStep::FirstChild), 1);
    EXPECT_EQ(stepInOutline(outline, 0, TreeStep::FirstChildBefore), 3);
    EXPECT_EQ(stepInOutline(outline, 3, TreeStep::FirstChild), 4);
    EXPECT_EQ(stepInOutline(outline, 2, TreeStep::NextSibling), 2);
    EXPECT_EQ(stepInOutline(outline, 3, TreeStep::NextSibling), 5);
    EXPECT_EQ(stepInOutline(outline, 3, TreeStep::PreviousSibling), 3);
    EXPECT_EQ(stepInOutline(outline, 5, TreeStep::Parent), 0);
}

TEST(PlacedWordAt, FindsTheWordDrawnLastAndNoneElsewhere)
{
    VerbariumPicture shown = picture();
    const PlacedWord &c = shown.words[5];
    const QPointF inC(c.position.x() + 1, c.position.y());
    EXPECT_EQ(placedWordAt(shown, inC), 5);
    EXPECT_EQ(placedWordAt(shown, QPointF(c.position.x() - 1, c.position.y())), -1);
    // Where two boxes overlap, the one painted on top is the one the eye sees.
    shown.words[3].position = c.position;
    shown.words[3].size = c.size;
    EXPECT_EQ(placedWordAt(shown, inC), 5);
}

} // namespace
