#pragma once

#include "LayerExport.h"
#include "TextLayer.h"

#include <QImage>
#include <QRect>
#include <memory>

// Helpers for tests that look at painted pixels.
namespace PictureSupport {

inline const QString wordFont = QStringLiteral("Futura-CondensedMedium");

// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage &image);

// The share of pixels that are light in one image and dark in the other.
double contraryPixelShare(const QImage &first, const QImage &second);

// A layer frame (y upward in a view of viewHeight) in device pixels (y downward).
QRectF deviceBox(const QRectF &frame, qreal viewHeight, qreal devicePixelRatio = 1.0);

// A word layer made as the views make them: measured bounds, anchored at the middle of
// its left edge, placed at position in parent.
TextLayer *addWord(Layer &parent, const AttributedString &string, QPointF position);

// A root layer of viewSize with one such word.
std::unique_ptr<Layer> sceneWithWord(QSizeF viewSize, const AttributedString &string,
                                     QPointF position, TextLayer **word);

// The layer tree painted on a white image of the given pixel ratio and resolution.
QImage paintedOnImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio = 1.0,
                      int dpi = 96);

// The exported SVG, drawn by Qt's SVG renderer on a white image of viewSize.
QImage renderedSvg(const Layer &root, QSizeF viewSize, SvgWords words = SvgWords::Text);

} // namespace PictureSupport
