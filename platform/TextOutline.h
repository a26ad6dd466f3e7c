#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QFont;
class QPaintDevice;

// The outline of text set in font (resolved for device) with its baseline starting
// at origin, for vector output. Only the glyphs that can reach into the horizontal
// span of area are outlined, so a word far longer than the area costs what the area
// holds, not what the word does.
QPainterPath textOutline(const QString &text, const QFont &font, QPaintDevice *device,
                         QPointF origin, const QRectF &area);
