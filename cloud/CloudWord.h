#pragma once

#include "TextLayer.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

// A word of the cloud as plain data: what painting, hit testing, keyboard focus,
// screen readers and export all read. position is the left end of the word at its
// vertical centre, in the view's coordinates (y upward); the row layout sets it.
struct CloudWord
{
    AttributedString string; // the word, its font and size, its colour as shown
    QColor drawnColor;       // the colour as drawn, before any change for contrast
    int count = 0;
    QSizeF size; // measured, in single precision
    QPointF position;

    const QString &word() const { return string.text; }
    // The word's box, y upward.
    QRectF box() const
    {
        return {position.x(), position.y() - size.height() * 0.5, size.width(), size.height()};
    }
};

// The index of the word whose box holds point, or -1 over a gap. Boxes are half-open
// on their far edges, so a point on the border of two touching words hits one.
qsizetype cloudWordAt(const std::vector<CloudWord> &words, QPointF point);
