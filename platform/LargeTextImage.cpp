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
    // Room for glyphs that reach past their advance or below the descent.
    const qreal pad = std::ceil(0.25 * string.fontSize * scale);
    m_originPixel = QPointF(pad, pad + std::ceil(metrics.ascent() * scale));
    const QSize size(int(std::ceil(metrics.horizontalAdvance(string.text) * scale + 2 * pad)),
                     int(m_originPixel.y() + std::ceil(metrics.descent() * scale) + pad));
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
