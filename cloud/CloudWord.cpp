#include "CloudWord.h"

qsizetype cloudWordAt(const std::vector<CloudWord> &words, QPointF point)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QRectF box = words[i].box();
        if (point.x() >= box.left() && point.x() < box.right() && point.y() >= box.top() &&
            point.y() < box.bottom())
            return qsizetype(i);
    }
    return -1;
}
