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
    if (!m_content.isNull())
        painter.drawPicture(QPointF(0.0, 0.0), m_content);
}
