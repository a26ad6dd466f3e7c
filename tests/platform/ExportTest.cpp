#include "LayerExport.h"
#include "PictureSupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QSvgRenderer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PictureSupport;

namespace {

const QSizeF view(300, 200);

std::unique_ptr<Layer> sceneWithRedWord(TextLayer **word)
{
    return sceneWithWord(view, {u"export"_s, wordFont, 40.0, QColor(200, 30, 30)}, {30, 60}, word);
}

TEST(Export, PngHasThePixelSizeOfViewTimesRatio)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithRedWord(&word);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(renderLayersToImage(*root, view, 2.0).save(&buffer, "PNG"));
    buffer.close();

    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "PNG");
    const QImage decoded = reader.read();
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(decoded.size(), QSize(600, 400));
    EXPECT_EQ(decoded.pixelColor(0, 0), QColor(Qt::white));
}

TEST(Export, ImpossibleImagesAreNull)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithRedWord(&word);
    EXPECT_TRUE(renderLayersToImage(*root, {0, 200}).isNull());
    EXPECT_TRUE(renderLayersToImage(*root, view, 0.0).isNull());
    // Painting words onto an image that could not be allocated used to crash.
    EXPECT_TRUE(renderLayersToImage(*root, {100000, 100000}).isNull());
    EXPECT_TRUE(renderLayersToSvg(*root, {100000, 100000}).isEmpty());
    EXPECT_TRUE(renderLayersToSvg(*root, {maxPictureSide + 1.0, 1}).isEmpty());
}

TEST(Export, SvgIsValidWithTheViewAsViewBoxAndSize)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithRedWord(&word);
    QSvgRenderer renderer(renderLayersToSvg(*root, view));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), view));
    EXPECT_EQ(renderer.defaultSize(), view.toSize());
}

// Asked for outlines, the SVG draws the words in the same boxes as the picture on screen.
TEST(Export, SvgWordOutlineSitsInItsMeasuredBox)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithRedWord(&word);
    const QRectF box = deviceBox(word->frame(), view.height());
    const QRect ink = inkBox(renderedSvg(*root, view, SvgWords::Outlines));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), box.left() - 1);
    EXPECT_LE(ink.right() + 1, box.right() + 1);
    EXPECT_GE(ink.top(), box.top() - 1);
    EXPECT_LE(ink.bottom() + 1, box.bottom() + 1);
    EXPECT_GT(ink.width(), 0.75 * box.width());
    const QRect onScreen = inkBox(renderLayersToImage(*root, view));
    EXPECT_LE((onScreen.center() - ink.center()).manhattanLength(), 2);
}

struct LongWordRow
{
    const char *name;
    QPointF position;
    SvgWords words;
};

void PrintTo(const LongWordRow &row, std::ostream *out)
{
    *out << row.name;
}

class LongWordSvg : public testing::TestWithParam<LongWordRow>
{
};

// Outlining every glyph of a word far wider than the view made documents of gigabytes.
TEST_P(LongWordSvg, OutlinesOnlyTheGlyphsTheViewShows)
{
    // Letters that never repeat in a period, so a misplaced cut shows.
    QString letters;
    for (int i = 0; i < 30000; ++i)
        letters += QChar(u'a' + (i * i + 3 * i) % 26);
    TextLayer *word = nullptr;
    const auto root = sceneWithWord(view, {letters, wordFont, 40.0, QColor(20, 20, 20)},
                                    GetParam().position, &word);
    const QByteArray svg = renderLayersToSvg(*root, view, GetParam().words);
    EXPECT_LT(svg.size(), 256 * 1024);
    const QImage drawn = renderedSvg(*root, view, GetParam().words);
    EXPECT_EQ(inkBox(drawn).right(), int(view.width()) - 1);
    EXPECT_LT(contraryPixelShare(drawn, renderLayersToImage(*root, view)), 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Export, LongWordSvg,
    testing::Values(LongWordRow{"startingInTheView", {30, 60}, SvgWords::Text},
                    LongWordRow{"startingFarLeft", {-50000, 60}, SvgWords::Text},
                    LongWordRow{"outlinesStartingInTheView", {30, 60}, SvgWords::Outlines},
                    LongWordRow{"outlinesStartingFarLeft", {-50000, 60}, SvgWords::Outlines}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
