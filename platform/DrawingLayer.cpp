#include "DrawingLayer.h"

#include <QPainter>

void DrawingLayer::display()
{
    QPicture content;
    QPainter painter(&content);
    painter.setRenderHint(QPainter::Antialiasing);
    drawInContext(painter);
    painter.end();
    m_content = content;
}

void DrawingLayer::drawContent(QPainter &painter) const
{
    if (m_content.isNull())
        return;
    // A picture replays scaled by the device's resolution over its own; the content is
    // in layer points, which are the same on every device.
    const QPaintDevice *device = painter.device();
    painter.save();
    painter.scale(qreal(m_content.logicalDpiX()) / device->logicalDpiX(),
                  qreal(m_content.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(QPointF(0.0, 0.0), m_content);
    painter.restore();
}
