#include "DrawingLayer.h"
#include "Fonts.h"
#include "LayerExport.h"
#include "LayerPainter.h"
#include "TextLayer.h"

#include <QFontInfo>
#include <QPainter>
#include <QPicture>
#include <QSvgRenderer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString wordFont = u"Futura-CondensedMedium"_s;

// The smallest device rectangle holding every pixel that is not white.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// A root layer of viewSize holding one word layer, as the views make them.
std::unique_ptr<Layer> sceneWithWord(QSizeF viewSize, const AttributedString &string,
                                     QPointF position, TextLayer **wordOut)
{
    auto root = std::make_unique<Layer>();
    root->setFrame(QRectF(QPointF(0, 0), viewSize));
    auto word = std::make_unique<TextLayer>();
    word->setString(string);
    word->setAlignmentMode(TextLayer::Alignment::Center);
    word->setBounds(QRectF(QPointF(0, 0), word->preferredFrameSize(FontMetricsMeasurer())));
    word->setAnchorPoint({0, 0.5});
    word->setPosition(position);
    *wordOut = static_cast<TextLayer *>(root->addSublayer(std::move(word)));
    return root;
}

TEST(FontStandIn, ResolvesToTheCondensedFace)
{
    const QFontInfo info(resolveFont(wordFont, 30.0));
    EXPECT_EQ(info.family(), u"BetecknaGSCondensed"_s);
}

TEST(FontMeasure, SizeScalesWithThePointSizeAlone)
{
    const FontMetricsMeasurer measurer;
    const QSizeF small = measurer.preferredSize({u"verbarium"_s, wordFont, 20.0, {}});
    const QSizeF large = measurer.preferredSize({u"verbarium"_s, wordFont, 60.0, {}});
    ASSERT_GT(small.width(), 0.0);
    EXPECT_NEAR(large.width(), 3.0 * small.width(), 0.01 * large.width());
    EXPECT_NEAR(large.height(), 3.0 * small.height(), 0.01 * large.height());
    // A point is a logical pixel: the line is about as tall as the font is large.
    EXPECT_GT(large.height(), 0.8 * 60.0);
    EXPECT_LT(large.height(), 1.6 * 60.0);
}

TEST(FontMeasure, EmptyAndSizelessStringsNeedNoRoom)
{
    const FontMetricsMeasurer measurer;
    EXPECT_EQ(measurer.preferredSize({u""_s, wordFont, 20.0, {}}).width(), 0.0);
    EXPECT_EQ(measurer.preferredSize({u"word"_s, wordFont, 0.0, {}}), QSizeF());
}

struct InkRow
{
    const char *name;
    QString text;
    qreal fontSize;
    qreal devicePixelRatio;
    int dpi = 96;
};

class TextInk : public ::testing::TestWithParam<InkRow>
{
};

// The word's glyphs fill its measured box and stay inside it, on any pixel density.
TEST_P(TextInk, LiesInsideTheMeasuredBox)
{
    const InkRow &row = GetParam();
    const QSizeF view(400, 200);
    TextLayer *word = nullptr;
    const auto root = sceneWithWord(view, {row.text, wordFont, row.fontSize, {}}, {20, 90}, &word);
    QImage image((view * row.devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(row.devicePixelRatio);
    image.setDotsPerMeterX(qRound(row.dpi / 0.0254));
    image.setDotsPerMeterY(qRound(row.dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    LayerPainter::paint(painter, *root, view.height());
    painter.end();
    ASSERT_EQ(image.size(), (view * row.devicePixelRatio).toSize());

    const qreal ratio = row.devicePixelRatio;
    const QRectF frame = word->frame();
    // The box in device pixels: y flips, the top of the box is its larger y.
    const QRectF box(frame.left() * ratio, (view.height() - frame.bottom()) * ratio,
                     frame.width() * ratio, frame.height() * ratio);
    const QRect ink = inkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    const qreal slack = 1.0 * ratio; // antialiased edge pixels
    // A glyph may reach a little past its advance (the tail of a y).
    const qreal overhang = slack + 0.05 * row.fontSize * ratio;
    EXPECT_GE(ink.left(), box.left() - overhang);
    EXPECT_LE(ink.right() + 1, box.right() + overhang);
    EXPECT_GE(ink.top(), box.top() - slack);
    EXPECT_LE(ink.bottom() + 1, box.bottom() + slack);
    // Drawn at the measured size, not at some other device's idea of a point.
    EXPECT_GT(ink.width(), 0.75 * box.width());
}

INSTANTIATE_TEST_SUITE_P(Rows, TextInk,
                         ::testing::Values(InkRow{"latin", u"verbarium"_s, 30.0, 1.0},
                                           InkRow{"descenders", u"quippy"_s, 47.5, 1.0},
                                           InkRow{"hiDpi", u"verbarium"_s, 30.0, 2.0},
                                           InkRow{"fractionalRatio", u"word"_s, 21.3, 1.5},
                                           InkRow{"small", u"and"_s, 12.0, 1.0},
                                           InkRow{"device72dpi", u"verbarium"_s, 30.0, 1.0, 72},
                                           InkRow{"device144dpi", u"verbarium"_s, 30.0, 1.0, 144},
                                           InkRow{"largeWord", u"ocean"_s, 83.0, 1.0},
                                           InkRow{"largeWordFractionalRatio", u"quay"_s, 70.3, 1.5},
                                           InkRow{"largeWordHiDpi", u"ocean"_s, 83.0, 2.0},
                                           InkRow{"greekFallback", u"λόγος"_s, 40.0, 1.0},
                                           InkRow{"cyrillicFallback", u"слово"_s, 40.0, 1.0},
                                           InkRow{"cjkFallback", u"漢字"_s, 40.0, 1.0}),
                         [](const auto &info) { return std::string(info.param.name); });

// Large words are kept as pixels between paints; a new string must not show the old ones.
TEST(TextPainting, LargeWordFollowsItsString)
{
    const QSizeF view(500, 200);
    TextLayer *word = nullptr;
    const auto root =
        sceneWithWord(view, {u"ocean"_s, wordFont, 83.0, QColor(Qt::red)}, {20, 100}, &word);
    const QRect oceanInk = inkBox(renderLayersToImage(*root, view));
    word->setString({u"sea"_s, wordFont, 83.0, QColor(Qt::blue)});
    const QImage image = renderLayersToImage(*root, view);
    const QRect seaInk = inkBox(image);
    ASSERT_FALSE(seaInk.isEmpty());
    EXPECT_LT(seaInk.width(), oceanInk.width());
    // Moving the word by a fraction of a pixel moves its ink with it.
    word->setPosition(word->position() + QPointF(30.5, 0));
    const QRect movedInk = inkBox(renderLayersToImage(*root, view));
    EXPECT_NEAR(movedInk.left(), seaInk.left() + 30.5, 1.0);
    for (int y = seaInk.top(); y <= seaInk.bottom(); ++y) {
        for (int x = seaInk.left(); x <= seaInk.right(); ++x)
            ASSERT_LE(image.pixelColor(x, y).red(), image.pixelColor(x, y).blue()) << x << "," << y;
    }
}

// Kept pixels match what Qt draws straight from the outlines (here through a recorded
// picture, which the pixel cache leaves alone).
TEST(TextPainting, LargeWordPixelsMatchDirectDrawing)
{
    const QSizeF view(500, 200);
    TextLayer *word = nullptr;
    const auto root = sceneWithWord(view, {u"quay"_s, wordFont, 83.0, {}}, {20.25, 100.6}, &word);
    const QImage cached = renderLayersToImage(*root, view);

    QPicture recorded;
    QPainter recorder(&recorded);
    LayerPainter::paint(recorder, *root, view.height());
    recorder.end();
    QImage direct(view.toSize(), QImage::Format_ARGB32_Premultiplied);
    direct.fill(Qt::white);
    QPainter painter(&direct);
    painter.drawPicture(QPointF(0, 0), recorded);
    painter.end();

    const QRect cachedInk = inkBox(cached);
    const QRect directInk = inkBox(direct);
    ASSERT_FALSE(directInk.isEmpty());
    EXPECT_LE(std::abs(cachedInk.left() - directInk.left()), 1);
    EXPECT_LE(std::abs(cachedInk.right() - directInk.right()), 1);
    EXPECT_LE(std::abs(cachedInk.top() - directInk.top()), 1);
    EXPECT_LE(std::abs(cachedInk.bottom() - directInk.bottom()), 1);
}

// Fills the lower half of its own box: y upward in the layer.
class LowerHalfLayer : public DrawingLayer
{
protected:
    void drawInContext(QPainter &painter) const override
    {
        painter.fillRect(QRectF(0, 0, bounds().width(), bounds().height() / 2), Qt::black);
    }
};

QImage renderedSvg(const Layer &root, QSizeF view)
{
    QSvgRenderer renderer(renderLayersToSvg(root, view));
    QImage image(view.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), view));
    return image;
}

QImage renderedAtDpi(const Layer &root, QSizeF view, int dpi)
{
    QImage image(view.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    LayerPainter::paint(painter, root, view.height());
    return image;
}

struct OutputRow
{
    const char *name;
    std::function<QImage(const Layer &, QSizeF)> render;
};

class UpwardLayers : public ::testing::TestWithParam<OutputRow>
{
};

// A drawing at the lower left of the view lands at the bottom left of the picture, at
// its size in points, whatever the output and its resolution.
TEST_P(UpwardLayers, LowerLeftOfTheViewIsThePicturesBottomLeft)
{
    Layer root;
    root.setFrame({0, 0, 100, 80});
    auto box = std::make_unique<LowerHalfLayer>();
    box->setFrame({0, 0, 10, 20});
    box->display();
    root.addSublayer(std::move(box));
    EXPECT_EQ(inkBox(GetParam().render(root, {100, 80})), QRect(0, 70, 10, 10));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, UpwardLayers,
    ::testing::Values(
        OutputRow{"png",
                  [](const Layer &root, QSizeF view) { return renderLayersToImage(root, view); }},
        OutputRow{"svg", renderedSvg},
        OutputRow{"device72dpi",
                  [](const Layer &root, QSizeF view) { return renderedAtDpi(root, view, 72); }},
        OutputRow{"device144dpi",
                  [](const Layer &root, QSizeF view) { return renderedAtDpi(root, view, 144); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LayerPainting, DrawingIsRecordedOnceAndKept)
{
    Layer root;
    root.setFrame({0, 0, 100, 80});
    auto box = std::make_unique<LowerHalfLayer>();
    box->setFrame({0, 0, 10, 20});
    box->display();
    LowerHalfLayer *boxLayer = static_cast<LowerHalfLayer *>(root.addSublayer(std::move(box)));
    // Moving the layer moves the kept drawing; growing it does not redraw it.
    boxLayer->setFrame({50, 40, 40, 40});
    EXPECT_EQ(inkBox(renderLayersToImage(root, {100, 80})), QRect(50, 30, 10, 10));
}

TEST(LayerPainting, HigherZPaintsAboveRegardlessOfOrder)
{
    Layer root;
    root.setFrame({0, 0, 20, 20});
    auto colored = [](QColor color, qreal z) {
        auto word = std::make_unique<TextLayer>();
        word->setString({u"██"_s, u"DejaVu Sans"_s, 20.0, color});
        word->setFrame({0, 0, 20, 20});
        word->setZPosition(z);
        return word;
    };
    root.addSublayer(colored(Qt::red, 1.0));
    root.addSublayer(colored(Qt::blue, 0.0));
    const QImage image = renderLayersToImage(root, {20, 20});
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
}

} // namespace
