#include "Layer.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

Layer *addNamed(Layer &superlayer, const QString &name, const QRectF &frame, qreal z = 0.0)
{
    auto layer = std::make_unique<Layer>();
    layer->setName(name);
    layer->setFrame(frame);
    layer->setZPosition(z);
    return superlayer.addSublayer(std::move(layer));
}

// mainLayer covers (0,0)-(400,300) of its superlayer, shifted by rootOffset.
std::unique_ptr<Layer> makeScene(QPointF rootOffset)
{
    auto root = std::make_unique<Layer>();
    root->setName(u"mainLayer"_s);
    root->setAnchorPoint({0, 0});
    root->setBounds({0, 0, 400, 300});
    root->setPosition(rootOffset);
    addNamed(*root, u"a"_s, {10, 10, 50, 20});
    addNamed(*root, u"b"_s, {40, 10, 50, 20}); // overlaps a; added later
    addNamed(*root, u"low"_s, {200, 100, 50, 50}, 1.0);
    addNamed(*root, u"high"_s, {220, 120, 50, 50}, 0.0); // later, but lower in z
    Layer *parent = addNamed(*root, u"parent"_s, {300, 200, 80, 80});
    addNamed(*parent, u"child"_s, {10, 10, 20, 20});
    return root;
}

struct HitRow
{
    const char *name;
    QPointF rootOffset;
    QPointF point;
    const char *expected; // nullptr: no hit
};

class HitTest : public ::testing::TestWithParam<HitRow>
{
};

TEST_P(HitTest, FindsTheTopmostDeepestLayer)
{
    const HitRow &row = GetParam();
    const std::unique_ptr<Layer> root = makeScene(row.rootOffset);
    const Layer *hit = root->hitTest(row.point);
    if (!row.expected) {
        EXPECT_EQ(hit, nullptr) << hit->name().toStdString();
        return;
    }
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->name(), QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HitTest,
    ::testing::Values(HitRow{"singleWord", {0, 0}, {15, 15}, "a"},
                      HitRow{"laterSiblingWinsOverlap", {0, 0}, {50, 15}, "b"},
                      HitRow{"higherZWinsOverlap", {0, 0}, {230, 130}, "low"},
                      HitRow{"lowerZWhereAlone", {0, 0}, {260, 160}, "high"},
                      HitRow{"deepestLayer", {0, 0}, {315, 215}, "child"},
                      HitRow{"parentAroundChild", {0, 0}, {305, 205}, "parent"},
                      HitRow{"gapIsRoot", {0, 0}, {150, 250}, "mainLayer"},
                      HitRow{"lowerLeftCornerInside", {0, 0}, {0, 0}, "mainLayer"},
                      HitRow{"farEdgeOutside", {0, 0}, {400, 150}, nullptr},
                      HitRow{"topEdgeOutside", {0, 0}, {150, 300}, nullptr},
                      HitRow{"leftOfRoot", {0, 0}, {-1, 150}, nullptr},
                      HitRow{"farEdgeOfWordIsOutsideIt", {0, 0}, {250, 110}, "mainLayer"},
                      // The point is in the superlayer's coordinates, where the scrolled
                      // root stands 100 lower.
                      HitRow{"scrolledRootWord", {0, -100}, {15, -85}, "a"},
                      HitRow{"scrolledRootMissesUnscrolledPoint", {0, -100}, {15, 15}, "mainLayer"},
                      HitRow{"scrolledRootOutside", {0, -100}, {15, 250}, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HitTestBounds, BoundsOriginShiftsTheLayersOwnCoordinates)
{
    Layer root;
    root.setAnchorPoint({0, 0});
    root.setBounds({100, 0, 400, 300}); // shows its content from x = 100 on
    Layer *word = addNamed(root, u"w"_s, {110, 10, 20, 20});
    EXPECT_EQ(root.hitTest({15, 15}), word);
    EXPECT_EQ(root.hitTest({115, 15}), &root);
}

} // namespace
