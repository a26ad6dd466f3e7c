#pragma once

#include <QRectF>

class Layer;
class QPainter;

// Paints a view's root layer tree. The root layer's frame is in the view's layer
// coordinates; the painter's device shows the view from its top left corner.
class LayerPainter
{
public:
    // exposed limits the work to the layers that reach into that part of the view (in
    // layer coordinates); an empty rectangle paints everything.
    static void paint(QPainter &painter, const Layer &root, qreal viewHeight,
                      const QRectF &exposed = {});

private:
    static void paintLayer(QPainter &painter, const Layer &layer, const QRectF &exposed);
};
