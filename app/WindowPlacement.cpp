#include "WindowPlacement.h"

#include <algorithm>

QRect fitInside(const QRect &wanted, const QRect &available, const QMargins &frameMargins)
{
    QRect frame = wanted.marginsAdded(frameMargins);
    frame.setWidth(std::min(frame.width(), available.width()));
    frame.setHeight(std::min(frame.height(), available.height()));
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame.marginsRemoved(frameMargins);
}
