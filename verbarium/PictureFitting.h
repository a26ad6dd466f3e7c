#pragma once

#include "BothSidesPicture.h"
#include "TextLayer.h"
#include "VerbariumLayout.h"

#include <QRect>
#include <QSize>
#include <memory>

class LayerHostWidget;
class QScrollArea;
class QWidget;

// A picture laid out for its view, and the layers that draw it.
struct FittedPicture
{
    VerbariumPicture picture;
    std::unique_ptr<Layer> layers;
};

// Fits a verbarium's pictures to the area their view is seen through: the layout they
// get (the window's, or room for every word: each band as tall as what it holds), the
// room a new picture is laid out in, the view growing with a larger window, and
// scrolling to the start word. Without a scroll area the view is its own visible area
// and nothing scrolls.
class PictureFitting
{
public:
    explicit PictureFitting(LayerHostWidget *view)
        : m_view(view)
    {}

    // The scroll area holding the view, not owned; may be left unset.
    void setScrollView(QScrollArea *scrollView) { m_scrollView = scrollView; }
    bool hasScrollView() const { return m_scrollView != nullptr; }
    // The area whose resizes change what is seen of the view.
    QWidget *visibleAreaWidget() const;
    // Unmagnified, as a new picture takes the area (see fitToVisibleArea).
    QSize visibleArea() const;

    bool roomForEveryWord() const { return m_roomForEveryWord; }
    void setRoomForEveryWord(bool on);
    // The picture of the tree from node, for the view as it is, and its layers; mirrored:
    // the words before, read from right to left.
    FittedPicture fitTree(std::shared_ptr<const VerbariumTree> tree, Node node,
                          bool mirrored) const;
    // Both sides of a start as one picture, and its layers.
    FittedPicture fitBothSides(std::shared_ptr<const VerbariumTree> after,
                               std::shared_ptr<const VerbariumTree> before) const;
    // The picture shown, laid out again for the view as it is now.
    FittedPicture fitAgain(const VerbariumPicture &shown, bool mirrored) const;
    void fitToVisibleArea();
    void growToVisibleArea();
    // Shows the start word at rect, in the view's coordinates, in the middle of the window.
    void scrollToStartWord(const QRect &rect);
    // Shows the start word of both sides at rect in the middle of the window, both ways,
    // so that as much of each side is seen.
    void centreOnStartWord(const QRect &rect);

private:
    VerbariumPicture layOut(std::shared_ptr<const VerbariumTree> tree, Node node,
                            bool mirrored) const;
    // Each tree laid out from its root in half the view (in half the visible area's width
    // with room for every word), joined at the start word.
    BothSidesPicture layOutBothSides(std::shared_ptr<const VerbariumTree> after,
                                     std::shared_ptr<const VerbariumTree> before) const;

    LayerHostWidget *m_view;             // non-owning: the view owns this
    QScrollArea *m_scrollView = nullptr; // non-owning: the scroll area holding the view
    FontMetricsMeasurer m_measurer;
    VerbariumLayout m_layout{m_measurer};
    bool m_roomForEveryWord = false;
};
