#include "VisibleText.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>

QTextLine layOutOneLine(QTextLayout &layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

QPainterPath outlinesOf(const QTextLine &line, QPointF origin)
{
    QPainterPath outline;
    for (const QGlyphRun &run : line.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
            outline.addPath(font.pathForGlyph(glyphs[i]).translated(origin + positions[i] -
                                                                    QPointF(0.0, line.ascent())));
    }
    return outline;
}

PlacedText visibleText(const QString &text, const QFont &font, QPaintDevice *device, QPointF origin,
                       const QRectF &area)
{
    const QFontMetricsF metrics(font, device);
    // Glyphs may overhang their advance; a line's height either way is ample.
    const qreal left = area.left() - metrics.height() - origin.x();
    const qreal right = area.right() + metrics.height() - origin.x();
    if (left <= 0.0 && right >= metrics.horizontalAdvance(text))
        return {text, origin};

    QTextLayout layout(text, font, device);
    const QTextLine line = layOutOneLine(layout);
    // Right-to-left text has its first character on the right.
    const int atLeft = line.xToCursor(left);
    const int atRight = line.xToCursor(right);
    const int first = std::min(atLeft, atRight);
    const int end = std::max(atLeft, atRight);
    if (first == end)
        return {{}, origin};
    const qreal start = std::min(line.cursorToX(first), line.cursorToX(end));
    return {text.mid(first, end - first), origin + QPointF(start, 0.0)};
}
