#include "LayerExport.h"
#include "LayerPainter.h"
#include "PictureSupport.h"

#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PictureSupport;

namespace {

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
    const QImage image = paintedOnImage(*root, view, row.devicePixelRatio, row.dpi);
    const qreal ratio = row.devicePixelRatio;
    const QRectF box = deviceBox(word->frame(), view.height(), ratio);
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
    const auto root = sceneWithWord(view, {u"Éjquay"_s, wordFont, 83.0, {}}, {20.25, 100.6}, &word);
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

} // namespace
