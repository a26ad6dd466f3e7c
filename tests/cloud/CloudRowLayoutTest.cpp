#include "CloudRowLayout.h"

#include "CloudBuilder.h"
#include "TextLayer.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Words of fixed sizes, each with the layer that paints it, as a built cloud has them.
class Words
{
public:
    Words(std::initializer_list<QSizeF> sizes)
    {
        m_cloud.root = std::make_unique<Layer>();
        for (const QSizeF size : sizes) {
            auto layer = std::make_unique<TextLayer>();
            layer->setBounds(QRectF(QPointF(0, 0), size));
            layer->setAnchorPoint(QPointF(0, 0.5));
            m_cloud.layers.push_back(
                static_cast<TextLayer *>(m_cloud.root->addSublayer(std::move(layer))));
            CloudWord word;
            word.size = size;
            m_cloud.words.push_back(word);
        }
    }

    BuiltCloud &cloud() { return m_cloud; }
    const Layer &root() const { return *m_cloud.root; }
    TextLayer *operator[](size_t i) const { return m_cloud.layers[i]; }
    QPointF position(size_t i) const { return m_cloud.words[i].position; }

private:
    BuiltCloud m_cloud;
};

// a 60×20, b 50×30, c 40×25, d 100×40, e 30×10: three rows at width 200.
Words workedExample()
{
    return Words{{60, 20}, {50, 30}, {40, 25}, {100, 40}, {30, 10}};
}

TEST(CloudRowLayout, WorkedExampleFitsTheVisibleArea)
{
    Words words = workedExample();
    const CloudFit fit = fitCloudToView(words.cloud(), 200, {200, 300});
    EXPECT_EQ(fit, (CloudFit{QSizeF(200, 300), false}));

    const QList<QPointF> positions{{0, 285}, {60, 285}, {0, 250}, {40, 250}, {0, 225}};
    const QList<QRectF> frames{{0, 275, 60, 20},
                               {60, 270, 50, 30},
                               {0, 237.5, 40, 25},
                               {40, 230, 100, 40},
                               {0, 220, 30, 10}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(words.position(i), positions[i]) << "word " << i;
        EXPECT_EQ(words[i]->frame(), frames[i]) << "word " << i;
    }
}

// With a gap each word takes 8 more points in the row rule: a + b, c, d and e make four
// rows (126, then 48 + 108 = 156 and 108 + 38 = 146 reach A = 145).
TEST(CloudRowLayout, GapSetsWordsApartAndCountsInTheRowRule)
{
    Words words = workedExample();
    const CloudFit fit =
        fitCloudToView(words.cloud(), 200, {200, 300}, {}, CloudRowLayout::wordGap);
    EXPECT_EQ(fit, (CloudFit{QSizeF(200, 300), false}));
    const QList<QPointF> positions{{0, 285}, {68, 285}, {0, 257.5}, {0, 225}, {0, 200}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(words.position(i), positions[i]) << "word " << i;
        EXPECT_EQ(words[i]->position(), positions[i]) << "layer " << i;
    }
}

TEST(CloudRowLayout, TallRowsGrowTheViewAndShowTheScroller)
{
    Words words = workedExample();
    // The view keeps the visible area's width when it grows, whatever the rows' width.
    for (int call = 0; call < 2; ++call) {
        const CloudFit fit = fitCloudToView(words.cloud(), 200, {230, 60});
        EXPECT_EQ(fit, (CloudFit{QSizeF(230, 80), true})) << "call " << call;
        EXPECT_EQ(words.root().frame(), QRectF(0, 0, 230, 80)) << "call " << call;
        EXPECT_EQ(words.position(0), QPointF(0, 65)) << "call " << call;
        EXPECT_EQ(words.position(4), QPointF(0, 5)) << "call " << call;
    }
}

TEST(CloudRowLayout, GrownViewKeepsTheRowsFractionalHeight)
{
    Words words{{30, 20.25}, {30, 20.5}};
    // A = 5: each word has its own row; 40.75 of rows in a 30-point area.
    const CloudFit fit = fitCloudToView(words.cloud(), 60, {60, 30});
    EXPECT_EQ(fit, (CloudFit{QSizeF(60, 40.75), true}));
    EXPECT_EQ(words.root().bounds(), QRectF(0, 0, 60, 40.75));
    EXPECT_EQ(words.position(0), QPointF(0, 40.75 - 0 - 10.125));
    EXPECT_EQ(words.position(1), QPointF(0, 40.75 - 20.25 - 10.25));
}

TEST(CloudRowLayout, ScrollerChangeNarrowsTheViewButKeepsItsDecision)
{
    Words words = workedExample();
    QList<bool> decisions;
    const CloudFit fit = fitCloudToView(words.cloud(), 200, {200, 60}, [&decisions](bool scroller) {
        decisions.append(scroller);
        return QSizeF(185, 60);
    });
    EXPECT_EQ(decisions, QList<bool>{true});
    EXPECT_EQ(fit, (CloudFit{QSizeF(185, 80), true}));
}

TEST(CloudRowLayout, RunningWidthEqualToTheAvailableWidthStartsARow)
{
    // A = 100 − 55 = 45: 20 + 25 reaches it exactly.
    Words words{{20, 10}, {25, 12}, {5, 8}};
    CloudRowLayout rows(words.cloud().words, 100);
    EXPECT_FLOAT_EQ(rows.totalHeight(), 22);
    rows.placeWords(words.cloud().words, 100);
    EXPECT_EQ(words.position(0), QPointF(0, 95));
    EXPECT_EQ(words.position(1), QPointF(0, 84));
    EXPECT_EQ(words.position(2), QPointF(25, 84));
}

TEST(CloudRowLayout, FirstWordWiderThanTheAvailableWidthStandsAloneAtTheTop)
{
    Words words{{300, 40}, {10, 10}};
    CloudRowLayout rows(words.cloud().words, 200);
    // An empty first row of height 0, the wide word's row, then the small word's.
    EXPECT_FLOAT_EQ(rows.totalHeight(), 50);
    rows.placeWords(words.cloud().words, 300);
    EXPECT_EQ(words.position(0), QPointF(0, 280));
    EXPECT_EQ(words.position(1), QPointF(0, 255));
}

TEST(CloudRowLayout, WidthBelowTheMarginPutsEveryWordInItsOwnRow)
{
    Words words{{10, 10}, {10, 20}, {10, 30}};
    const CloudFit fit = fitCloudToView(words.cloud(), 40, {40, 500});
    EXPECT_EQ(fit, (CloudFit{QSizeF(40, 500), false}));
    EXPECT_EQ(words.position(0), QPointF(0, 495));
    EXPECT_EQ(words.position(1), QPointF(0, 480));
    EXPECT_EQ(words.position(2), QPointF(0, 455));
}

TEST(CloudRowLayout, NoLayersTakeTheVisibleArea)
{
    Words words{};
    const CloudFit fit = fitCloudToView(words.cloud(), 10, {320, 240});
    EXPECT_EQ(fit, (CloudFit{QSizeF(320, 240), false}));
}

TEST(CloudRowLayout, RefitAtANewWidthReflowsTheRows)
{
    Words words = workedExample();
    fitCloudToView(words.cloud(), 200, {200, 300});
    // A = 345: everything fits in one row 40 high.
    const CloudFit fit = fitCloudToView(words.cloud(), 400, {400, 300});
    EXPECT_EQ(fit, (CloudFit{QSizeF(400, 300), false}));
    const QList<float> xs{0, 60, 110, 150, 250};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(words.position(i), QPointF(xs[i], 280)) << "word " << i;
}

struct FitZoomRow
{
    const char *name;
    QSizeF room;
    double zoom;
    bool fits;
};

void PrintTo(const FitZoomRow &row, std::ostream *os)
{
    *os << row.name;
}

class ZoomToFitRows : public testing::TestWithParam<FitZoomRow>
{
};

// The worked example's rows for a width of 200 at zoom z: 80 high at z = 1; below
// z = 200 / 205 they become a + b + c over d + e, 70 high, which fits a room 60 high
// from z = 6/7 down; below z = 200 / 335 they make one row, 40 high.
TEST_P(ZoomToFitRows, IsTheLargestZoomWhoseReflowedRowsFit)
{
    Words words = workedExample();
    const FitZoomRow &row = GetParam();
    const double zoom = zoomToFitRows(words.cloud().words, 200, row.room, 0.0f, 0.1);
    EXPECT_NEAR(zoom, row.zoom, 1e-5);
    const CloudFit fit = fitCloudToView(words.cloud(), float(200 / zoom), row.room / zoom);
    EXPECT_EQ(fit.verticalScroller, !row.fits) << "at " << zoom;
}

INSTANTIATE_TEST_SUITE_P(Rooms, ZoomToFitRows,
                         testing::Values(FitZoomRow{"fitsAsItIs", {200, 300}, 1.0, true},
                                         FitZoomRow{"twoRows", {200, 60}, 6.0 / 7.0, true},
                                         FitZoomRow{"oneRow", {200, 23}, 23.0 / 40.0, true},
                                         FitZoomRow{
                                             "neverFitsStopsAtTheLimit", {200, 3}, 0.1, false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
