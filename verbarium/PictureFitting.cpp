#include "PictureFitting.h"

#include "Layer.h"
#include "LayerHostWidget.h"
#include "VerbariumLayers.h"

#include <QScrollArea>

QWidget *PictureFitting::visibleAreaWidget() const
{
    // The visible area changes with the window, and with what shares the window (the
    // contexts pane shown or hidden, a splitter moved).
    return m_scrollView ? m_scrollView->viewport() : m_view->window();
}

QSize PictureFitting::visibleArea() const
{
    return m_scrollView ? m_scrollView->viewport()->size() : m_view->pictureSize().toSize();
}

void PictureFitting::setRoomForEveryWord(bool on)
{
    m_roomForEveryWord = on;
    // A tall picture stands beside the scroll bar rather than under it.
    if (m_scrollView)
        m_scrollView->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAsNeeded);
}

VerbariumPicture PictureFitting::layOut(std::shared_ptr<const VerbariumTree> tree, Node node,
                                        bool mirrored) const
{
    VerbariumPicture picture =
        m_roomForEveryWord
            ? m_layout.spreadVerbariumFromNode(std::move(tree), node, QSizeF(visibleArea()))
            : m_layout.displayVerbariumFromNode(
                  std::move(tree), node, m_view->rootLayer()->bounds(), m_view->pictureSize());
    // The words before are read from right to left, the start at the right.
    if (mirrored)
        return mirroredPicture(std::move(picture));
    return picture;
}

BothSidesPicture PictureFitting::layOutBothSides(std::shared_ptr<const VerbariumTree> after,
                                                 std::shared_ptr<const VerbariumTree> before) const
{
    const QSizeF whole = m_roomForEveryWord ? QSizeF(visibleArea()) : m_view->pictureSize();
    const QSizeF half(whole.width() / 2, whole.height());
    const auto side = [&](std::shared_ptr<const VerbariumTree> tree) {
        const Node root = tree->root();
        return m_roomForEveryWord ? m_layout.spreadVerbariumFromNode(std::move(tree), root, half)
                                  : m_layout.displayVerbariumFromNode(
                                        std::move(tree), root, QRectF(QPointF(0, 0), half), half);
    };
    return joinedSides(mirroredPicture(side(std::move(before))), side(std::move(after)), whole);
}

FittedPicture PictureFitting::fitTree(std::shared_ptr<const VerbariumTree> tree, Node node,
                                      bool mirrored) const
{
    VerbariumPicture picture = layOut(std::move(tree), node, mirrored);
    std::unique_ptr<Layer> layers = verbariumLayers(picture, picture.viewSize);
    return {std::move(picture), std::move(layers)};
}

FittedPicture PictureFitting::fitBothSides(std::shared_ptr<const VerbariumTree> after,
                                           std::shared_ptr<const VerbariumTree> before) const
{
    const BothSidesPicture sides = layOutBothSides(std::move(after), std::move(before));
    return {pictureOfBothSides(sides), bothSidesLayers(sides)};
}

FittedPicture PictureFitting::fitAgain(const VerbariumPicture &shown, bool mirrored) const
{
    return shown.bothSides() ? fitBothSides(shown.tree, shown.beforeTree)
                             : fitTree(shown.tree, shown.startNode, mirrored);
}

// A new picture starts from the window's visible area: the room an earlier one grew the
// view to would only leave scroll bars around a smaller picture. The area is taken
// unmagnified: a zoom magnifies the picture the window would show, so that zooming in
// helps to read every tree that follows.
void PictureFitting::fitToVisibleArea()
{
    if (!m_scrollView)
        return;
    // The room the area has without scroll bars: a view that fits needs none.
    m_view->setContentSize(QSizeF(m_scrollView->maximumViewportSize()));
}

// The scroll area never resizes the view; a larger window should give the picture the
// room it now has, while a smaller one leaves the view as it is.
void PictureFitting::growToVisibleArea()
{
    if (!m_scrollView)
        return;
    m_view->setContentSize(m_view->pictureSize().expandedTo(QSizeF(visibleArea())));
}

// A spread picture is often many windows tall, and a smaller window leaves any tree
// larger than it: show where the tree starts, its start word in the middle of the window.
void PictureFitting::scrollToStartWord(const QRect &rect)
{
    if (!m_scrollView)
        return;
    // The whole word across (at the right when mirrored), and the middle of the window
    // down.
    m_scrollView->ensureVisible(rect.center().x(), rect.center().y(), rect.width() / 2,
                                m_scrollView->viewport()->height() / 2);
}

void PictureFitting::centreOnStartWord(const QRect &rect)
{
    if (!m_scrollView)
        return;
    const QWidget *area = m_scrollView->viewport();
    m_scrollView->ensureVisible(rect.center().x(), rect.center().y(), area->width() / 2,
                                area->height() / 2);
}
