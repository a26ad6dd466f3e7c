#pragma once

#include "CloudWord.h"

#include <QSizeF>
#include <functional>
#include <vector>

struct BuiltCloud;

// What a fit decided for the view: its new frame size and whether its scroll view
// shows a vertical scroller.
struct CloudFit
{
    QSizeF viewSize;
    bool verticalScroller = false;

    bool operator==(const CloudFit &) const = default;
};

// Sets words in left-aligned rows, like words on a page, for a given width. The work
// is split in the order a fit needs it: the row heights first (from the width alone),
// then the view's size, then the positions from the view's height.
class CloudRowLayout
{
public:
    // Kept free on the right of every row.
    static constexpr float rightMargin = 55.0f;
    // The room after each word when words are set apart.
    static constexpr float wordGap = 8.0f;

    // First pass: the words' sizes decide the rows; gap is the room after each word
    // (0: edge to edge). `words` must outlive this.
    CloudRowLayout(const std::vector<CloudWord> &words, float width, float gap = 0.0f);

    float totalHeight() const { return m_totalHeight; }
    // The view grows to the rows' height, keeping its width, when they do not fit
    // in the visible area; otherwise it takes the visible area's size.
    CloudFit fitView(float viewWidth, QSizeF visibleAreaSize) const;
    // Second pass: positions every word, rows stacked down from viewHeight.
    void placeWords(std::vector<CloudWord> &words, float viewHeight) const;

private:
    const std::vector<CloudWord> &m_words; // non-owning
    float m_availableWidth;
    float m_gap;
    std::vector<float> m_rowHeights; // from the top row down
    float m_totalHeight = 0.0f;
};

// Called with the scroller decision of a fit; shows or hides the scroller and returns
// the visible area's size afterwards (a scroller takes its room from the width).
using ScrollerChange = std::function<QSizeF(bool verticalScroller)>;

// The one fit of a cloud to its view, for the app's view and for export alike: rows
// for rowWidth; the view as tall as the rows when they overflow the visible area
// (keeping the area's width, with a vertical scroller), else the area's size; the
// words placed hanging from the top of that size, and their layers moved to them.
// The root layer takes the fitted box. Sizes keep the rows' single-precision sums
// exactly: a widget showing the view rounds its own size up to whole pixels and
// leaves the spare fraction below the last row.
CloudFit fitCloudToView(BuiltCloud &cloud, float rowWidth, QSizeF visibleAreaSize,
                        const ScrollerChange &applyScroller = {}, float gap = 0.0f);

// The largest zoom between minimumZoom and 1 at which the words, in rows reflowed for
// rowWidth / zoom, fit room / zoom (both in pixels) without a scroller: a zoomed-out
// cloud also has wider rows, so it fits sooner than its height alone says.
double zoomToFitRows(const std::vector<CloudWord> &words, float rowWidth, QSizeF room, float gap,
                     double minimumZoom);
