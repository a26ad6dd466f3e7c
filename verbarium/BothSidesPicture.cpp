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

BothSidesPicture joinedSides(VerbariumPicture before, VerbariumPicture after)
{
    // Both sides start with their start word, drawn the same way.
    const QPointF afterOffset = before.words.front().position - after.words.front().position;
    const QRectF beforeView(QPointF(0, 0), before.viewSize);
    const QRectF afterView(afterOffset, after.viewSize);
    const QRectF view = beforeView.united(afterView);
    movePicture(before, -view.topLeft());
    movePicture(after, afterOffset - view.topLeft());
    return {std::move(before), std::move(after), view.size()};
}

std::unique_ptr<Layer> bothSidesLayers(const BothSidesPicture &picture)
{
    std::unique_ptr<Layer> root = verbariumLayers(picture.before, picture.viewSize);
    VerbariumPicture afterStartWordLeft = picture.after;
    afterStartWordLeft.words.erase(afterStartWordLeft.words.begin());
    appendVerbariumLayers(*root, afterStartWordLeft);
    return root;
}
