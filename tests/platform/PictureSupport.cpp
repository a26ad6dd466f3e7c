#include "PictureSupport.h"

#include "LayerExport.h"
#include "LayerPainter.h"

#include <QPainter>
#include <QSvgRenderer>

namespace PictureSupport {

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

double contraryPixelShare(const QImage &first, const QImage &second)
{
    int contrary = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const int a = qGray(first.pixel(x, y));
            const int b = qGray(second.pixel(x, y));
            contrary += (a > 200 && b < 55) || (a < 55 && b > 200);
        }
    }
    return double(contrary) / (first.width() * first.height());
}

QRectF deviceBox(const QRectF &frame, qreal viewHeight, qreal devicePixelRatio)
{
    return {frame.left() * devicePixelRatio, (viewHeight - frame.bottom()) * devicePixelRatio,
            frame.width() * devicePixelRatio, frame.height() * devicePixelRatio};
}

TextLayer *addWord(Layer &parent, const AttributedString &string, QPointF position)
{
    auto layer = std::make_unique<TextLayer>();
    layer->setString(string);
    layer->setAlignmentMode(TextLayer::Alignment::Center);
    layer->setBounds(QRectF(QPointF(0, 0), layer->preferredFrameSize(FontMetricsMeasurer())));
    layer->setAnchorPoint({0, 0.5});
    layer->setPosition(position);
    return static_cast<TextLayer *>(parent.addSublayer(std::move(layer)));
}

std::unique_ptr<Layer> sceneWithWord(QSizeF viewSize, const AttributedString &string,
                                     QPointF position, TextLayer **word)
{
    auto root = std::make_unique<Layer>();
    root->setFrame(QRectF(QPointF(0, 0), viewSize));
    *word = addWord(*root, string, position);
    return root;
}

QImage paintedOnImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio, int dpi)
{
    QImage image((viewSize * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    LayerPainter::paint(painter, root, viewSize.height());
    return image;
}

QImage renderedSvg(const Layer &root, QSizeF viewSize, SvgWords words)
{
    QSvgRenderer renderer(renderLayersToSvg(root, viewSize, words));
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), viewSize));
    return image;
}

} // namespace PictureSupport
