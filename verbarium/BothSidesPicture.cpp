#include "BothSidesPicture.h"

#include "VerbariumLayers.h"

#include <algorithm>

namespace {

void movePicture(VerbariumPicture &picture, QPointF offset)
{
    for (PlacedWord &word : picture.words)
        word.position += offset;
    for (PlacedCurve &curve : picture.curves)
        curve = {curve.from + offset, curve.to + offset};
}

} // namespace

BothSidesPicture joinedSides(VerbariumPicture before, VerbariumPicture after, QSizeF leastSize)
{
    // Both sides start with their start word, drawn the same way.
    const QPointF afterOffset = before.words.front().position - after.words.front().position;
    const QRectF beforeView(QPointF(0, 0), before.viewSize);
    const QRectF afterView(afterOffset, after.viewSize);
    QRectF view = beforeView.united(afterView);
    const qreal spareWidth = std::max(0.0, leastSize.width() - view.width());
    view.adjust(-spareWidth / 2, 0, spareWidth / 2, 0);
    view.setHeight(std::max(view.height(), leastSize.height()));
    movePicture(before, -view.topLeft());
    movePicture(after, afterOffset - view.topLeft());
    return {std::move(before), std::move(after), view.size()};
}

VerbariumPicture pictureOfBothSides(const BothSidesPicture &picture)
{
    VerbariumPicture joined = picture.after;
    joined.viewSize = picture.viewSize;
    joined.beforeTree = picture.before.tree;
    joined.words.reserve(picture.after.words.size() + picture.before.words.size() - 1);
    for (auto word = picture.before.words.begin() + 1; word != picture.before.words.end(); ++word) {
        joined.words.push_back(*word);
        joined.words.back().before = true;
    }
    joined.curves.insert(joined.curves.end(), picture.before.curves.begin(),
                         picture.before.curves.end());
    return joined;
}

std::unique_ptr<Layer> bothSidesLayers(const BothSidesPicture &picture)
{
    std::unique_ptr<Layer> root = verbariumLayers(picture.before, picture.viewSize);
    VerbariumPicture afterStartWordLeft = picture.after;
    afterStartWordLeft.words.erase(afterStartWordLeft.words.begin());
    appendVerbariumLayers(*root, afterStartWordLeft);
    return root;
}
