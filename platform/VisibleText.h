#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

class QFont;
class QPaintDevice;
class QPainterPath;
class QTextLayout;
class QTextLine;

// Text with the start of its baseline.
struct PlacedText
{
    QString text;
    QPointF origin;
};

// Lays layout out as a single line that never wraps, as painting sets a word.
QTextLine layOutOneLine(QTextLayout &layout);

// The outlines of line's glyphs with its baseline starting at origin, glyph by glyph:
// Qt's own boxes for characters no face has come out as they are drawn, not as the
// filled squares its text outlines make of them.
QPainterPath outlinesOf(const QTextLine &line, QPointF origin);

// The part of text (set in font, resolved for device, with its baseline starting at
// origin) whose glyphs can reach into the horizontal span of area, and where that
// part starts. For vector output: a word far longer than the area costs what the area
// holds, not what the word does.
PlacedText visibleText(const QString &text, const QFont &font, QPaintDevice *device, QPointF origin,
                       const QRectF &area);
