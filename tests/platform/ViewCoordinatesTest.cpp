#include "ViewCoordinates.h"

#include <gtest/gtest.h>

namespace {

struct MappingRow
{
    const char *name;
    qreal viewHeight;
    QPointF layerPoint;
    QPointF devicePoint;
};

class ViewMapping : public ::testing::TestWithParam<MappingRow>
{
};

TEST_P(ViewMapping, MapsBothWays)
{
    const MappingRow &row = GetParam();
    const ViewCoordinates coordinates(row.viewHeight);
    EXPECT_EQ(coordinates.toDevice(row.layerPoint), row.devicePoint);
    EXPECT_EQ(coordinates.toLayer(row.devicePoint), row.layerPoint);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ViewMapping,
    ::testing::Values(MappingRow{"lowerLeftIsDeviceBottom", 80, {0, 0}, {0, 80}},
                      MappingRow{"upperLeftIsDeviceOrigin", 80, {0, 80}, {0, 0}},
                      MappingRow{"xUnchanged", 80, {37.5, 10}, {37.5, 70}},
                      MappingRow{"aboveTheView", 80, {5, 100}, {5, -20}},
                      MappingRow{"tallView", 2400, {10, 2390}, {10, 10}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ViewMappingRect, DeviceRectBecomesTheSameAreaMeasuredUpward)
{
    const ViewCoordinates coordinates(100);
    EXPECT_EQ(coordinates.toLayer(QRectF(10, 0, 20, 30)), QRectF(10, 70, 20, 30));
}

} // namespace
