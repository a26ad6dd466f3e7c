#include "LayerExport.h"
#include "TextLayer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<Layer> sceneWithWord(QSizeF viewSize, TextLayer **wordOut)
{
    auto root = std::make_unique<Layer>();
    root->setFrame(QRectF(QPointF(0, 0), viewSize));
    auto word = std::make_unique<TextLayer>();
    word->setString({u"export"_s, u"Futura-CondensedMedium"_s, 40.0, QColor(200, 30, 30)});
    word->setAlignmentMode(TextLayer::Alignment::Center);
    word->setBounds(QRectF(QPointF(0, 0), word->preferredFrameSize(FontMetricsMeasurer())));
    word->setAnchorPoint({0, 0.5});
    word->setPosition({30, 60});
    *wordOut = static_cast<TextLayer *>(root->addSublayer(std::move(word)));
    return root;
}

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

TEST(Export, PngHasThePixelSizeOfViewTimesRatio)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithWord({300, 200}, &word);
    const QImage image = renderLayersToImage(*root, {300, 200}, 2.0);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    buffer.close();

    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "PNG");
    const QImage decoded = reader.read();
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(decoded.size(), QSize(600, 400));
    EXPECT_EQ(decoded.pixelColor(0, 0), QColor(Qt::white));
}

TEST(Export, ViewWithoutAreaGivesNoImage)
{
    Layer root;
    EXPECT_TRUE(renderLayersToImage(root, {0, 200}).isNull());
    EXPECT_TRUE(renderLayersToImage(root, {300, 200}, 0.0).isNull());
}

TEST(Export, SvgIsValidWithTheViewAsViewBox)
{
    TextLayer *word = nullptr;
    const auto root = sceneWithWord({300, 200}, &word);
    const QByteArray svg = renderLayersToSvg(*root, {300, 200});
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 300, 200));
    EXPECT_EQ(renderer.defaultSize(), QSize(300, 200));
}

// The SVG carries the words as outlines, in the same boxes as the picture on screen.
TEST(Export, SvgWordSitsInItsMeasuredBox)
{
    TextLayer *word = nullptr;
    const QSizeF view(300, 200);
    const auto root = sceneWithWord(view, &word);
    QSvgRenderer renderer(renderLayersToSvg(*root, view));
    QImage image(view.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), view));
    painter.end();

    const QRectF frame = word->frame();
    const QRectF box(frame.left(), view.height() - frame.bottom(), frame.width(), frame.height());
    const QRect ink = inkBox(image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), box.left() - 1);
    EXPECT_LE(ink.right() + 1, box.right() + 1);
    EXPECT_GE(ink.top(), box.top() - 1);
    EXPECT_LE(ink.bottom() + 1, box.bottom() + 1);
    EXPECT_GT(ink.width(), 0.75 * box.width());
    const QImage onScreen = renderLayersToImage(*root, view);
    EXPECT_LE((inkBox(onScreen).center() - ink.center()).manhattanLength(), 2);
}

} // namespace
