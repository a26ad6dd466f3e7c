#include "WindowPlacement.h"

#include <QSize>
#include <gtest/gtest.h>

namespace {

const QMargins frame(4, 32, 4, 4);

struct FitCase
{
    const char *name;
    QRect wanted;
    QRect available;
    QRect expected;
};

class FitInsideTest : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitInsideTest, WholeFrameEndsUpInsideTheAvailableArea)
{
    const FitCase &fit = GetParam();
    const QRect placed = fitInside(fit.wanted, fit.available, frame);
    EXPECT_EQ(placed, fit.expected);
    EXPECT_TRUE(fit.available.contains(placed.marginsAdded(frame)));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FitInsideTest,
    ::testing::Values(
        FitCase{"fitsAsItIs", {80, 80, 640, 480}, {0, 0, 1600, 1000}, {80, 80, 640, 480}},
        // The cloud window that opened at y = 415 on a 1000-pixel-high screen.
        FitCase{"tooLowMovesUp", {740, 415, 800, 600}, {0, 0, 1600, 1000}, {740, 396, 800, 600}},
        FitCase{
            "tooFarRightMovesLeft", {740, 80, 800, 600}, {0, 0, 1280, 800}, {476, 80, 800, 600}},
        FitCase{"tallerThanTheScreenShrinks",
                {120, 160, 900, 600},
                {0, 0, 1024, 600},
                {120, 32, 900, 564}},
        FitCase{
            "panelAtTheTopIsAvoided", {80, 0, 640, 480}, {0, 30, 1280, 770}, {80, 62, 640, 480}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
