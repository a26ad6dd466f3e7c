#pragma once

#include "Dispersion.h"

#include <QRectF>
#include <QSizeF>
#include <memory>

class Layer;
class TextMeasurer;

// The dispersion strip as a picture: a caption saying how often the sequence occurs in
// how many files, the whole corpus as a horizontal bar with its files as segments in
// their order (widths by their tokens), a tick for each column of the bar holding an
// occurrence, and under each segment its file's name where the name fits.
struct DispersionPicture
{
    std::unique_ptr<Layer> root;
    QSizeF size;
};

// The strip width points wide; pixelsPerPoint says how many columns of ticks a point
// holds, so that occurrences on one pixel column are drawn once.
DispersionPicture dispersionPicture(const Dispersion &dispersion, const QString &sequence,
                                    qreal width, int pixelsPerPoint, const TextMeasurer &measurer);

// Where the bar stands in a strip width points wide, y upward.
QRectF dispersionBar(qreal width);

// The frame of each file's segment within the bar, in the files' order.
std::vector<QRectF> fileSegments(const Dispersion &dispersion, const QRectF &bar);
