#include "CloudNavigation.h"

#include <cmath>
#include <limits>

namespace {

// The word of the row at rowY nearest to x, searching from index start in direction.
qsizetype nearestInRow(const std::vector<CloudWord> &words, qsizetype start, int direction,
                       qreal rowY, qreal x)
{
    qsizetype best = -1;
    qreal bestDistance = std::numeric_limits<qreal>::infinity();
    for (qsizetype i = start; i >= 0 && i < qsizetype(words.size()); i += direction) {
        const CloudWord &word = words[std::size_t(i)];
        if (word.position.y() != rowY)
            break;
        const qreal distance = std::abs(word.box().center().x() - x);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// The first word of the next row in direction (+1 down, −1 up), or −1.
qsizetype neighbourRowStart(const std::vector<CloudWord> &words, qsizetype from, int direction)
{
    const qreal rowY = words[std::size_t(from)].position.y();
    for (qsizetype i = from + direction; i >= 0 && i < qsizetype(words.size()); i += direction)
        if (words[std::size_t(i)].position.y() != rowY)
            return i;
    return -1;
}

} // namespace

qsizetype stepInCloud(const std::vector<CloudWord> &words, qsizetype from, CloudStep step)
{
    const qsizetype count = qsizetype(words.size());
    if (count == 0)
        return -1;
    if (from < 0 || from >= count)
        return step == CloudStep::Last ? count - 1 : 0;
    switch (step) {
    case CloudStep::Previous:
        return from > 0 ? from - 1 : from;
    case CloudStep::Next:
        return from + 1 < count ? from + 1 : from;
    case CloudStep::First:
        return 0;
    case CloudStep::Last:
        return count - 1;
    case CloudStep::Up:
    case CloudStep::Down: {
        const int direction = step == CloudStep::Down ? 1 : -1;
        const qsizetype rowStart = neighbourRowStart(words, from, direction);
        if (rowStart < 0)
            return from;
        const qreal x = words[std::size_t(from)].box().center().x();
        return nearestInRow(words, rowStart, direction, words[std::size_t(rowStart)].position.y(),
                            x);
    }
    }
    return from;
}
