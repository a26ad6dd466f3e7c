#include "TextLayer.h"

#include "Fonts.h"
#include "SvgText.h"
#include "VisibleText.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

namespace {

constexpr qreal referenceDpi = 72.0;

// A device at 72 dpi, where one font point is exactly one pixel.
QImage makeReferenceDevice()
{
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = qRound(referenceDpi / 0.0254);
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    return device;
}

qreal alignedLeft(TextLayer::Alignment alignment, qreal boxWidth, qreal textWidth)
{
    switch (alignment) {
    case TextLayer::Alignment::Center:
        return (boxWidth - textWidth) / 2.0;
    case TextLayer::Alignment::Right:
        return boxWidth - textWidth;
    case TextLayer::Alignment::Natural:
    case TextLayer::Alignment::Left:
        break;
    }
    return 0.0;
}

} // namespace

FontMetricsMeasurer::FontMetricsMeasurer()
    : m_referenceDevice(makeReferenceDevice())
{}

FontMetricsMeasurer::~FontMetricsMeasurer() = default;

const QFontMetricsF &FontMetricsMeasurer::metricsFor(const QString &fontName, qreal fontSize) const
{
    const auto key = std::make_pair(fontName, fontSize);
    auto it = m_metrics.find(key);
    if (it == m_metrics.end()) {
        const QFontMetricsF metrics(resolveFont(fontName, fontSize, referenceDpi),
                                    &m_referenceDevice);
        it = m_metrics.emplace(key, metrics).first;
    }
    return it->second;
}

QSizeF FontMetricsMeasurer::preferredSize(const AttributedString &string) const
{
    if (string.fontSize <= 0.0)
        return {};
    const QFontMetricsF &metrics = metricsFor(string.fontName, string.fontSize);
    // ascent + descent rather than the line spacing: a layer holds one line, so the
    // leading below it would only push the word off the centre of its box.
    return {metrics.horizontalAdvance(string.text), metrics.height()};
}

void TextLayer::drawContent(QPainter &painter) const
{
    if (m_string.text.isEmpty() || m_string.fontSize <= 0.0)
        return;
    const QRectF box = bounds();
    QPaintDevice *device = painter.device();
    const QFont font(resolveFont(m_string.fontName, m_string.fontSize, device->logicalDpiY()),
                     device);
    const QFontMetricsF metrics(font, device);
    const QColor color = m_string.color.value_or(QColor(Qt::black));

    painter.save();
    // Glyphs are drawn y-down: mirror the box onto itself so the text stands upright.
    painter.translate(0.0, box.top() + box.bottom());
    painter.scale(1.0, -1.0);
    const qreal left = box.left() + alignedLeft(m_alignment, box.width(),
                                                metrics.horizontalAdvance(m_string.text));
    const qreal baseline = box.top() + (box.height() - metrics.height()) / 2.0 + metrics.ascent();
    const QPointF origin(left, baseline);
    if (painter.paintEngine()->type() == QPaintEngine::SVG) {
        // Only what reaches into the picture: a word may be far longer than it.
        const QRectF deviceArea(0.0, 0.0, device->width(), device->height());
        const QTransform toDevice = painter.combinedTransform();
        const PlacedText visible = visibleText(m_string.text, font, device, origin,
                                               toDevice.inverted().mapRect(deviceArea));
        if (auto *svg = dynamic_cast<SvgTextGenerator *>(device)) {
            // The mirrored box stands upright on the device: the text needs only its
            // place there.
            svg->text().addText({visible.text, toDevice.map(visible.origin)}, font, color);
        } else {
            // Asked for outlines: the same picture without any font, but no words.
            QTextLayout layout(visible.text, font, device);
            painter.fillPath(outlinesOf(layOutOneLine(layout), visible.origin), color);
        }
    } else if (!m_largeText.draw(painter, m_string, metrics, origin)) {
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(origin, m_string.text);
    }
    painter.restore();
}
