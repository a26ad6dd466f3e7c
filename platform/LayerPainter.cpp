#include "LayerPainter.h"

#include "Layer.h"
#include "ViewCoordinates.h"

#include <QPainter>

void LayerPainter::paint(QPainter &painter, const Layer &root, qreal viewHeight,
                         const QRectF &exposed)
{
    if (!painter.isActive()) // e.g. begun on an image that could not be allocated
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setWorldTransform(ViewCoordinates(viewHeight).layerToDevice(), true);
    paintLayer(painter, root, exposed);
    painter.restore();
}

// exposed is in the coordinates of the layer's superlayer, like its frame.
void LayerPainter::paintLayer(QPainter &painter, const Layer &layer, const QRectF &exposed)
{
    const QRectF frame = layer.frame();
    // Sublayers are not clipped to their superlayer, so only the layer's own content
    // can be skipped when it lies outside the exposed area. The margin keeps strokes
    // that overhang the box by half their width.
    const bool contentExposed =
        exposed.isEmpty() || frame.adjusted(-1.0, -1.0, 1.0, 1.0).intersects(exposed);
    if (!contentExposed && layer.sublayers().empty())
        return;
    const QPointF offset = frame.topLeft() - layer.bounds().topLeft();
    const QRectF exposedInLayer = exposed.isEmpty() ? exposed : exposed.translated(-offset);

    painter.save();
    painter.translate(offset);
    if (contentExposed)
        layer.drawContent(painter);
    for (const Layer *sublayer : layer.sublayersInPaintOrder())
        paintLayer(painter, *sublayer, exposedInLayer);
    painter.restore();
}
