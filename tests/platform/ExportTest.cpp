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

// The SVG carries the words as outlines, in the same boxes as the picture on screen.
TEST(Export, SvgWordSitsInItsMeasuredBox)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithRedWord(&word);
    const QRectF box = deviceBox(word->frame(), view.height());
    const QRect ink = inkBox(renderedSvg(*root, view));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), box.left() - 1);
    EXPECT_LE(ink.right() + 1, box.right() + 1);
    EXPECT_GE(ink.top(), box.top() - 1);
    EXPECT_LE(ink.bottom() + 1, box.bottom() + 1);
    EXPECT_GT(ink.width(), 0.75 * box.width());
    const QRect onScreen = inkBox(renderLayersToImage(*root, view));
    EXPECT_LE((onScreen.center() - ink.center()).manhattanLength(), 2);
}

} // namespace
