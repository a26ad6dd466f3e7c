#include "LayerHostWidget.h"

#include "LayerExport.h"
#include "PictureSupport.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reports its destruction, to see who owns it.
class WatchedLayer : public Layer
{
public:
    explicit WatchedLayer(bool *destroyed)
        : m_destroyed(destroyed)
    {}
    ~WatchedLayer() override { *m_destroyed = true; }

private:
    bool *m_destroyed; // non-owning: the test's flag outlives the layer
};

TEST(LayerHost, RootLayerFollowsTheWidgetsSize)
{
    LayerHostWidget host;
    host.resize(320, 240);
    host.show();
    EXPECT_EQ(host.rootLayer()->frame(), QRectF(0, 0, 320, 240));
    EXPECT_EQ(host.rootLayer()->bounds(), QRectF(0, 0, 320, 240));

    host.resize(500, 1200);
    EXPECT_EQ(host.rootLayer()->frame(), QRectF(0, 0, 500, 1200));
}

TEST(LayerHost, InstallingARootDiscardsTheOldTreeAndFitsTheNewOne)
{
    LayerHostWidget host;
    host.resize(200, 100);
    bool oldDestroyed = false;
    host.setRootLayer(std::make_unique<WatchedLayer>(&oldDestroyed));
    EXPECT_FALSE(oldDestroyed);

    auto next = std::make_unique<Layer>();
    next->setName(u"mainLayer"_s);
    host.setRootLayer(std::move(next));
    EXPECT_TRUE(oldDestroyed);
    EXPECT_EQ(host.rootLayer()->name(), u"mainLayer"_s);
    EXPECT_EQ(host.rootLayer()->frame(), QRectF(0, 0, 200, 100));

    host.setRootLayer(nullptr);
    ASSERT_NE(host.rootLayer(), nullptr);
}

TEST(LayerHost, WidgetPointsBecomeUpwardViewPoints)
{
    LayerHostWidget host;
    host.resize(200, 100);
    EXPECT_EQ(host.viewPointFromWidget({5, 0}), QPointF(5, 100));
    EXPECT_EQ(host.viewPointFromWidget({5, 100}), QPointF(5, 0));
    EXPECT_EQ(host.viewPointFromWidget({150, 30}), QPointF(150, 70));
}

TEST(LayerHost, ContentSizeKeepsItsFractionBelowTheContent)
{
    LayerHostWidget host;
    host.setContentSize({200, 100.5});
    EXPECT_EQ(host.size(), QSize(200, 101));
    EXPECT_EQ(host.rootLayer()->bounds(), QRectF(0, 0, 200, 100.5));
    // The top edge of the content is the widget's; the spare half pixel is below.
    EXPECT_EQ(host.viewPointFromWidget({5, 0}), QPointF(5, 100.5));
    EXPECT_EQ(host.viewPointFromWidget({5, 100.5}), QPointF(5, 0));

    host.setRootLayer(std::make_unique<Layer>());
    EXPECT_EQ(host.rootLayer()->bounds(), QRectF(0, 0, 200, 100.5));
}

class LayerHostPainting : public ::testing::TestWithParam<qreal>
{
};

// The widget paints through the same code as the export, on ordinary and HiDPI
// devices alike.
TEST_P(LayerHostPainting, PaintsWhatTheExportPaints)
{
    const qreal ratio = GetParam();
    LayerHostWidget host;
    host.resize(240, 120);
    TextLayer *word = nullptr;
    host.setRootLayer(PictureSupport::sceneWithWord(
        {240, 120}, {u"painted"_s, PictureSupport::wordFont, 36.0, QColor(20, 90, 200)}, {40, 30},
        &word));

    QImage onScreen(QSize(240, 120) * ratio, QImage::Format_ARGB32_Premultiplied);
    onScreen.setDevicePixelRatio(ratio);
    host.render(&onScreen);
    const QImage exported = renderLayersToImage(*host.rootLayer(), {240, 120}, ratio);
    ASSERT_EQ(onScreen.size(), exported.size());
    EXPECT_EQ(onScreen.convertToFormat(QImage::Format_RGB32),
              exported.convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Ratios, LayerHostPainting, ::testing::Values(1.0, 2.0),
                         [](const auto &info) { return info.param == 1.0 ? "standard" : "hiDpi"; });

} // namespace
