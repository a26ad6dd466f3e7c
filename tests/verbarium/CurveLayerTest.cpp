#include "CurveLayer.h"

#include <gtest/gtest.h>

namespace {

struct CurveRow
{
    const char *name;
    double endY;
    QRectF frameAsSet;
    QRectF box;
    QPointF startNode;
    QPointF endNode;
};

void PrintTo(const CurveRow &row, std::ostream *os)
{
    *os << row.name;
}

class CurveBox : public testing::TestWithParam<CurveRow>
{
};

// From (100, 150) to (130, endY).
TEST_P(CurveBox, SpansItsEndPoints)
{
    const CurveRow &row = GetParam();
    const auto curve = CurveLayer::initWithStartNode(QPointF(100, 150), QPointF(130, row.endY));
    EXPECT_EQ(curve->frameAsSet(), row.frameAsSet);
    EXPECT_EQ(curve->frame(), row.box);
    EXPECT_EQ(curve->startNode(), row.startNode);
    EXPECT_EQ(curve->endNode(), row.endNode);

    const auto [control1, control2] = curveControlPoints(curve->startNode(), curve->endNode());
    EXPECT_EQ(control1, QPointF(15, row.startNode.y()));
    EXPECT_EQ(control2, QPointF(15, row.endNode.y()));
}

INSTANTIATE_TEST_SUITE_P(
    CurveLayer, CurveBox,
    testing::Values(
        CurveRow{"Rising", 200, {100, 150, 30, 50}, {100, 150, 30, 50}, {0, 0}, {30, 50}},
        CurveRow{"Falling", 100, {100, 150, 30, -50}, {100, 100, 30, 50}, {0, 50}, {30, 0}},
        CurveRow{"Level", 150, {100, 150, 30, 1}, {100, 150, 30, 1}, {0, 0}, {30, 0}},
        CurveRow{
            "FallingLessThanOne", 149.5, {100, 150, 30, 1}, {100, 150, 30, 1}, {0, 0.5}, {30, 0}},
        CurveRow{
            "RisingLessThanOne", 150.5, {100, 150, 30, 1}, {100, 150, 30, 1}, {0, 0}, {30, 0.5}}),
    [](const auto &info) { return info.param.name; });

} // namespace
