#include "InfoPanel.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct DeltaRow
{
    const char *name;
    InfoFieldWidths before;
    InfoFieldWidths after;
    int expectedDelta;
};

class PanelDelta : public ::testing::TestWithParam<DeltaRow>
{
};

TEST_P(PanelDelta, FollowsTheWiderField)
{
    const DeltaRow &row = GetParam();
    EXPECT_EQ(infoPanelWidthDelta(row.before, row.after), row.expectedDelta);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PanelDelta,
    ::testing::Values(DeltaRow{"grows", {40.7, 25.2}, {63.4, 18.0}, 23},
                      DeltaRow{"shrinks", {63.4, 18.0}, {30.2, 18.0}, -32},
                      DeltaRow{"countFieldWider", {30.0, 20.0}, {10.0, 45.9}, 15},
                      DeltaRow{"equalNewWidths", {30.0, 20.0}, {44.6, 44.6}, 14},
                      DeltaRow{"unchanged", {50.0, 12.0}, {50.0, 12.0}, 0},
                      DeltaRow{"smallShrinkTruncatesTowardZero", {50.0, 12.0}, {49.5, 12.0}, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(InfoPanelWidget, ShowWordFillsFitsAndWidensWithoutMoving)
{
    QWidget owner;
    InfoPanel panel(&owner);
    panel.move(200, 150);
    panel.showWord(u"sun"_s, u"12 times"_s);
    ASSERT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.wordField()->text(), u"sun"_s);
    EXPECT_EQ(panel.countField()->text(), u"12 times"_s);
    EXPECT_EQ(panel.wordField()->width(), panel.wordField()->sizeHint().width());

    const QPoint placeBefore = panel.pos();
    const int widthBefore = panel.width();
    const int fieldBefore = std::max(panel.wordField()->width(), panel.countField()->width());
    panel.showWord(u"incomprehensibilities"_s, u"3 times"_s);
    const int fieldAfter = std::max(panel.wordField()->width(), panel.countField()->width());
    EXPECT_GT(fieldAfter, fieldBefore);
    EXPECT_EQ(panel.width() - widthBefore, fieldAfter - fieldBefore);
    EXPECT_EQ(panel.pos(), placeBefore);

    panel.showWord(u"sun"_s, u"12 times"_s);
    EXPECT_EQ(panel.width(), widthBefore);
}

TEST(InfoPanelWidget, ShowsMarkupAsPlainText)
{
    InfoPanel panel;
    panel.showWord(u"<b>bold</b>"_s, u"1 time"_s);
    // Rendered as markup, the fitted label would be narrower than its literal text.
    EXPECT_GE(panel.wordField()->width(),
              panel.wordField()->fontMetrics().horizontalAdvance(u"<b>bold</b>"_s));
}

} // namespace
