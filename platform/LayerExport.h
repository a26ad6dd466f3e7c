#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class Layer;

// Pictures of a view's layer tree for export, painted like the view on a white ground.
// viewSize is the view's size in points; the root layer's frame is in its coordinates.

// An image of viewSize × devicePixelRatio pixels carrying that ratio; a null image
// when the view has no area or the image would exceed 2^28 pixels (1 GiB) or could not
// be allocated.
QImage renderLayersToImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio = 1.0);

// An SVG document whose user units are the view's points (one CSS pixel each).
QByteArray renderLayersToSvg(const Layer &root, QSizeF viewSize);
