#include "VisibleText.h"

#include <QFontMetricsF>
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
