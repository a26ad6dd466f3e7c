#pragma once

#include <QImage>
#include <QPointF>
#include <QString>

class QFontMetricsF;
class QPainter;
struct AttributedString;

// Qt's raster engine caches glyphs only up to 64 device pixels and fills the outlines
// of larger ones on every paint, which costs a large word a good part of a frame. This
// keeps such a word's pixels once rendered, for one device scale and one sub-pixel
// offset, and copies them on later paints.
class LargeTextImage
{
public:
    // Draws string with its baseline origin at origin (current coordinates, y
    // downward) and returns true, or returns false, drawing nothing, where the glyph
    // cache serves (small text) or the device is not a raster one.
    bool draw(QPainter &painter, const AttributedString &string, const QFontMetricsF &metrics,
              QPointF origin);

    // Forgets the rendered pixels, e.g. when the string changes.
    void reset() { m_image = QImage(); }

private:
    void render(const AttributedString &string, const QFontMetricsF &metrics, qreal scale,
                QPointF fraction);

    QImage m_image;
    qreal m_scale = 0.0;
    QPointF m_fraction;    // sub-pixel part of the baseline origin the image was made for
    QPointF m_originPixel; // the whole-pixel place of the baseline origin in the image
};
