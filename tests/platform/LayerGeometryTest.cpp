#include "Layer.h"

#include <gtest/gtest.h>

namespace {

struct FrameRow
{
    const char *name;
    QPointF position;
    QPointF anchorPoint;
    QSizeF size;
    QRectF expectedFrame;
};

class FrameFromPosition : public ::testing::TestWithParam<FrameRow>
{
};

TEST_P(FrameFromPosition, IsPositionMinusAnchorTimesSize)
{
    const FrameRow &row = GetParam();
    Layer layer;
    layer.setBounds(QRectF(QPointF(0, 0), row.size));
    layer.setAnchorPoint(row.anchorPoint);
    layer.setPosition(row.position);
    EXPECT_EQ(layer.frame(), row.expectedFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrameFromPosition,
    ::testing::Values(
        FrameRow{"centreAnchor", {100, 50}, {0.5, 0.5}, {40, 20}, {80, 40, 40, 20}},
        FrameRow{"wordAnchorMiddleOfLeftEdge", {55, 300}, {0, 0.5}, {63, 30}, {55, 285, 63, 30}},
        FrameRow{"lowerLeftAnchor", {10, 20}, {0, 0}, {5, 6}, {10, 20, 5, 6}},
        FrameRow{"upperRightAnchor", {10, 20}, {1, 1}, {5, 6}, {5, 14, 5, 6}},
        FrameRow{"emptyLayerIsAPointAtItsPosition", {7, 9}, {0.5, 0.5}, {0, 0}, {7, 9, 0, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

struct SetFrameRow
{
    const char *name;
    QPointF anchorPoint;
    QRectF frame;
    QRectF expectedFrame;
    QPointF expectedPosition;
};

class SetFrame : public ::testing::TestWithParam<SetFrameRow>
{
};

TEST_P(SetFrame, PlacesTheBoxAndKeepsTheAnchor)
{
    const SetFrameRow &row = GetParam();
    Layer layer;
    layer.setAnchorPoint(row.anchorPoint);
    layer.setFrame(row.frame);
    EXPECT_EQ(layer.frame(), row.expectedFrame);
    EXPECT_EQ(layer.bounds().size(), row.expectedFrame.size());
    EXPECT_EQ(layer.position(), row.expectedPosition);
    EXPECT_EQ(layer.anchorPoint(), row.anchorPoint);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SetFrame,
    ::testing::Values(
        SetFrameRow{"rising", {0.5, 0.5}, {100, 150, 30, 50}, {100, 150, 30, 50}, {115, 175}},
        SetFrameRow{"negativeHeightMeasuresDownward",
                    {0.5, 0.5},
                    {100, 150, 30, -50},
                    {100, 100, 30, 50},
                    {115, 125}},
        SetFrameRow{"negativeWidthMeasuresLeftward",
                    {0, 0},
                    {100, 150, -30, 10},
                    {70, 150, 30, 10},
                    {70, 150}},
        SetFrameRow{
            "levelCurveBox", {0.5, 0.5}, {100, 150, 30, 1}, {100, 150, 30, 1}, {115, 150.5}},
        SetFrameRow{"anchorAtLeftMiddle", {0, 0.5}, {10, 20, 40, 10}, {10, 20, 40, 10}, {10, 25}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LayerTree, PaintOrderIsByZThenSiblingOrder)
{
    Layer root;
    const qreal zs[] = {1.0, 0.0, 1.0, 0.0, -1.0};
    std::vector<Layer *> added;
    for (qreal z : zs) {
        auto layer = std::make_unique<Layer>();
        layer->setZPosition(z);
        added.push_back(root.addSublayer(std::move(layer)));
    }
    const std::vector<const Layer *> expected = {added[4], added[1], added[3], added[0], added[2]};
    EXPECT_EQ(root.sublayersInPaintOrder(), expected);
}

} // namespace
