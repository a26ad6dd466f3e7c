#include "LayerHostWidget.h"

#include "LayerExport.h"
#include "TextLayer.h"

#include <QPixmap>
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

TEST(LayerHost, PaintsWhatTheExportPaints)
{
    LayerHostWidget host;
    host.resize(240, 120);
    auto root = std::make_unique<Layer>();
    auto word = std::make_unique<TextLayer>();
    word->setString({u"painted"_s, u"Futura-CondensedMedium"_s, 36.0, QColor(20, 90, 200)});
    word->setBounds(QRectF(QPointF(0, 0), word->preferredFrameSize(FontMetricsMeasurer())));
    word->setAnchorPoint({0, 0.5});
    word->setPosition({40, 30});
    root->addSublayer(std::move(word));
    host.setRootLayer(std::move(root));

    const QImage onScreen = host.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage exported =
        renderLayersToImage(*host.rootLayer(), {240, 120}).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(onScreen, exported);
}

} // namespace
