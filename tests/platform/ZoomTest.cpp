#include "InfoPanel.h"
#include "LayerHostWidget.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A view of 200 × 100 points.
struct View
{
    View()
    {
        widget.setContentSize(QSizeF(200, 100));
        widget.show();
    }
    void wheel(Qt::KeyboardModifiers modifiers, int notches)
    {
        QWheelEvent event(QPointF(20, 10), widget.mapToGlobal(QPointF(20, 10)), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&widget, &event);
    }
    LayerHostWidget widget;
};

TEST(Zoom, MagnifiesTheWidgetWhileHitsAndTheExportKeepThePicturesPoints)
{
    View view;
    view.widget.setZoom(2.0);
    EXPECT_EQ(view.widget.size(), QSize(400, 200));
    EXPECT_EQ(view.widget.pictureSize(), QSizeF(200, 100));
    EXPECT_EQ(view.widget.rootLayer()->bounds().size(), QSizeF(200, 100));
    // The widget's (100, 50) shows the point (50, 75): y upward from the bottom.
    EXPECT_EQ(view.widget.viewPointFromWidget(QPointF(100, 50)), QPointF(50, 75));
    EXPECT_EQ(view.widget.widgetRectFromView(QRectF(50, 65, 20, 10)), QRectF(100, 50, 40, 20));
}

TEST(Zoom, StaysWithinItsLimits)
{
    View view;
    view.widget.setZoom(100.0);
    EXPECT_EQ(view.widget.zoom(), LayerHostWidget::maximumZoom);
    view.widget.setZoom(0.0);
    EXPECT_EQ(view.widget.zoom(), LayerHostWidget::minimumZoom);
}

TEST(Zoom, ControlAndTheWheelZoomAPlainWheelDoesNot)
{
    View view;
    view.wheel(Qt::NoModifier, 1);
    EXPECT_EQ(view.widget.zoom(), 1.0);
    view.wheel(Qt::ControlModifier, 1);
    EXPECT_DOUBLE_EQ(view.widget.zoom(), 1.25);
    view.wheel(Qt::ControlModifier, -2);
    EXPECT_DOUBLE_EQ(view.widget.zoom(), 0.8);
}

struct PlaceRow
{
    const char *name;
    QRect target;
    QPoint expected;
};

void PrintTo(const PlaceRow &row, std::ostream *os)
{
    *os << row.name;
}

class InfoPanelPlace : public testing::TestWithParam<PlaceRow>
{
};

// A 120 × 50 panel on a 1280 × 800 screen, 4 points clear of what it stands beside.
TEST_P(InfoPanelPlace, BesideTheTargetAndOnScreen)
{
    EXPECT_EQ(infoPanelPosition(QRect(0, 0, 1280, 800), QSize(120, 50), GetParam().target),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, InfoPanelPlace,
    testing::Values(PlaceRow{"belowThePointer", {300, 200, 16, 20}, {300, 224}},
                    PlaceRow{"aboveWhenNoRoomBelow", {300, 760, 16, 20}, {300, 706}},
                    PlaceRow{"leftOfTheRightEdge", {1250, 200, 16, 20}, {1160, 224}},
                    PlaceRow{"belowAWord", {40, 100, 200, 60}, {40, 164}},
                    PlaceRow{
                        "aWordTallerThanTheScreenKeepsItOnScreen", {40, -100, 200, 1000}, {40, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
