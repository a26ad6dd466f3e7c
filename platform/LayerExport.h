#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <optional>

class Layer;

// Pictures of a view's layer tree for export, painted like the view on a white ground.
// viewSize is the view's size in points; the root layer's frame is in its coordinates.

// The limits of every exported picture, in device pixels (points × device pixel ratio,
// rounded up). Past 2^23 − 1 a side Qt's raster painting loses exactness; past 2^28 in
// all a PNG's pixels take over 1 GiB. SVG pictures keep the same limits at one pixel a
// point, so no export grows without bound.
inline constexpr qint64 maxPictureSide = (qint64(1) << 23) - 1;
inline constexpr qint64 maxPicturePixels = qint64(1) << 28;

// Whether a picture of viewSize points has at least one pixel each way and stays within
// the limits above.
bool pictureFitsExportLimits(QSizeF viewSize, qreal devicePixelRatio = 1.0);

// An image of viewSize × devicePixelRatio pixels carrying that ratio; a null image
// when the picture is not within the export limits or could not be allocated.
QImage renderLayersToImage(const Layer &root, QSizeF viewSize, qreal devicePixelRatio = 1.0);

// That image encoded as PNG; nothing when it cannot be made.
std::optional<QByteArray> renderLayersToPng(const Layer &root, QSizeF viewSize,
                                            qreal devicePixelRatio = 1.0);

// How an SVG picture carries its words.
enum class SvgWords {
    Text,     // <text> elements in embedded subsets of their faces: searchable, editable
    Outlines, // filled paths: the same picture with any renderer, but no longer words
};

// An SVG document whose user units are the view's points (one CSS pixel each); empty
// when the picture is not within the export limits. Of every word only the characters
// that reach into the view are kept, so the document's size follows the picture's,
// not the length of its words. Words are drawn above the other layers' content, as
// every view has them.
QByteArray renderLayersToSvg(const Layer &root, QSizeF viewSize, SvgWords words = SvgWords::Text);
