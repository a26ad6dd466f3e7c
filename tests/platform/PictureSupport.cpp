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

QRectF deviceBox(const QRectF &frame, qreal viewHeight, qreal devicePixelRatio)
{
    return {frame.left() * devicePixelRatio, (viewHeight - frame.bottom()) * devicePixelRatio,
            frame.width() * devicePixelRatio, frame.height() * devicePixelRatio};
}

std::unique_ptr<Layer> sceneWithWord(QSizeF viewSize, const AttributedString &string,
                                     QPointF position, TextLayer **word)
{
    auto root = std::make_unique<Layer>();
    root->setFrame(QRectF(QPointF(0, 0), viewSize));
    auto layer = std::make_unique<TextLayer>();
    layer->setString(string);
    layer->setAlignmentMode(TextLayer::Alignment::Center);
    layer->setBounds(QRectF(QPointF(0, 0), layer->preferredFrameSize(FontMetricsMeasurer())));
    layer->setAnchorPoint({0, 0.5});
    layer->setPosition(position);
    *word = static_cast<TextLayer *>(root->addSublayer(std::move(layer)));
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

QImage renderedSvg(const Layer &root, QSizeF viewSize)
{
    QSvgRenderer renderer(renderLayersToSvg(root, viewSize));
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), viewSize));
    return image;
}

} // namespace PictureSupport
