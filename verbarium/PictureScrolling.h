#pragma once

#include <QRect>
#include <QSize>

class LayerHostWidget;
class QScrollArea;
class QWidget;

// How a picture's view sits in the scroll area holding it: the room a new picture is
// laid out in, the view growing with a larger window, and scrolling to the start word.
// Without a scroll area the view is its own visible area and nothing scrolls.
class PictureScrolling
{
public:
    explicit PictureScrolling(LayerHostWidget *view)
        : m_view(view)
    {}

    // The scroll area holding the view, not owned; may be left unset.
    void setScrollView(QScrollArea *scrollView) { m_scrollView = scrollView; }
    bool hasScrollView() const { return m_scrollView != nullptr; }
    // The area whose resizes change what is seen of the view.
    QWidget *visibleAreaWidget() const;
    // Unmagnified, as a new picture takes the area (see fitToVisibleArea).
    QSize visibleArea() const;

    // A tall picture stands beside the scroll bar rather than under it.
    void setTallPictures(bool tall);
    void fitToVisibleArea();
    void growToVisibleArea();
    // Shows the start word at rect, in the view's coordinates, in the middle of the window.
    void scrollToStartWord(const QRect &rect);

private:
    LayerHostWidget *m_view;             // non-owning: the view owns this
    QScrollArea *m_scrollView = nullptr; // non-owning: the scroll area holding the view
};
