#include "WordOverlaps.h"

#include "VerbariumLayout.h"

#include <algorithm>
#include <numeric>

std::optional<std::pair<std::size_t, std::size_t>>
firstOverlap(const std::vector<PlacedWord> &words, double tolerance)
{
    std::vector<QRectF> boxes;
    boxes.reserve(words.size());
    for (const PlacedWord &word : words)
        boxes.push_back(word.box());
    // A sweep from left to right: each box is held only against the boxes that start
    // before it ends, the words of a few columns rather than the whole picture.
    std::vector<std::size_t> byLeft(boxes.size());
    std::iota(byLeft.begin(), byLeft.end(), std::size_t(0));
    std::sort(byLeft.begin(), byLeft.end(),
              [&boxes](std::size_t a, std::size_t b) { return boxes[a].left() < boxes[b].left(); });
    for (auto first = byLeft.begin(); first != byLeft.end(); ++first) {
        const QRectF &box = boxes[*first];
        for (auto second = first + 1;
             second != byLeft.end() && boxes[*second].left() < box.right() - tolerance; ++second) {
            const QRectF &other = boxes[*second];
            const double across = std::min(box.right(), other.right()) - other.left();
            const double up =
                std::min(box.bottom(), other.bottom()) - std::max(box.top(), other.top());
            if (across > tolerance && up > tolerance)
                return std::pair(std::min(*first, *second), std::max(*first, *second));
        }
    }
    return std::nullopt;
}
