#include "LargeTextImage.h"

#include "Fonts.h"
#include "TextLayer.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

// Qt's largest cached glyph, in device pixels.
constexpr qreal glyphCacheLimit = 64.0;

} // namespace

bool LargeTextImage::draw(QPainter &painter, const AttributedString &string,
                          const QFontMetricsF &metrics, QPointF origin)
{
    if (painter.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    const QTransform device = painter.deviceTransform();
    const qreal scale = device.m22();
    if (device.type() > QTransform::TxScale || scale <= 0.0 || device.m11() != scale ||
        string.fontSize * scale <= glyphCacheLimit)
        return false;

    const QPointF deviceOrigin = device.map(origin);
    const QPointF wholePixels(std::floor(deviceOrigin.x()), std::floor(deviceOrigin.y()));
    const QPointF fraction = deviceOrigin - wholePixels;
    if (m_image.isNull() || m_scale != scale || m_fraction != fraction)
        render(string, metrics, scale, fraction);

    // The image's corner lands on a whole device pixel, so it is copied, not resampled.
    const QPointF corner = device.inverted().map(wholePixels - m_originPixel);
    painter.drawImage(corner, m_image);
    return true;
}

void LargeTextImage::render(const AttributedString &string, const QFontMetricsF &metrics,
                            qreal scale, QPointF fraction)
{
    // The glyphs' box around the baseline origin, which may reach past the advance and
    // the line, plus a pixel for antialiasing, in whole device pixels.
    const QRectF line(0.0, -metrics.ascent(), metrics.horizontalAdvance(string.text),
                      metrics.height());
    // Glyphs reach past their line by less than its height. Qt's boxes for characters
    // no face has report a bounding box far off (100000 pixels away), which would make
    // an image too large to draw anything.
    const qreal reach = metrics.height();
    const QRectF glyphs = metrics.boundingRect(string.text)
                              .united(line)
                              .intersected(line.adjusted(-reach, -reach, reach, reach));
    const QRect pixels = QRectF(glyphs.topLeft() * scale, glyphs.size() * scale)
                             .toAlignedRect()
                             .adjusted(-1, -1, 2, 2);
    m_originPixel = -QPointF(pixels.topLeft());
    const QSize size = pixels.size();
    m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);

    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(resolveFont(string.fontName, string.fontSize * scale, m_image.logicalDpiY()));
    painter.setPen(string.color.value_or(QColor(Qt::black)));
    painter.drawText(m_originPixel + fraction, string.text);
    painter.end();

    // Drawn at the painter's scale, the image covers its device pixels one to one.
    m_image.setDevicePixelRatio(scale);
    m_scale = scale;
    m_fraction = fraction;
}
