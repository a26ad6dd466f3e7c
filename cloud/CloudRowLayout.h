#pragma once

#include <QSizeF>
#include <vector>

class Layer;
class TextLayer;

// What a fit decided for the view: its new frame size and whether its scroll view
// shows a vertical scroller.
struct CloudFit
{
    QSizeF viewSize;
    bool verticalScroller = false;

    bool operator==(const CloudFit &) const = default;
};

// Sets word layers in left-aligned rows, like words on a page, for a given width.
// The work is split in the order the view needs it: the row heights first (from
// the width alone), then the view's size, then the positions from the height the
// view really took.
class CloudRowLayout
{
public:
    // Kept free on the right of every row.
    static constexpr float rightMargin = 55.0f;

    // First pass: the layers' bounds decide the rows. `layers` must outlive this.
    CloudRowLayout(const std::vector<TextLayer *> &layers, float width);

    float totalHeight() const { return m_totalHeight; }
    // The view grows to the rows' height, keeping its width, when they do not fit
    // in the visible area; otherwise it takes the visible area's size.
    CloudFit fitView(float viewWidth, QSizeF visibleAreaSize) const;
    // Second pass: positions every layer, rows stacked down from viewHeight.
    void placeLayers(float viewHeight) const;

private:
    const std::vector<TextLayer *> &m_layers; // non-owning
    float m_availableWidth;
    std::vector<float> m_rowHeights; // from the top row down
    float m_totalHeight = 0.0f;
};

// The whole fit for a view whose frame is exactly the returned size: rows for
// size.width(), view sized as fitView() decides, layers placed.
CloudFit scaleLayersToSize(const std::vector<TextLayer *> &layers, QSizeF size, float viewWidth,
                           QSizeF visibleAreaSize);

// Widgets are whole points in size: a view growing to fractional rows takes the
// next whole point up, so no row is cut off.
QSizeF wholePoints(QSizeF size);

// For a cloud without a widget (export, benchmarks): the view starts at viewSize,
// which is also its visible area, takes whole points as a widget does, and the root
// layer takes the fitted view's box. Positions are those the app's view gets.
CloudFit fitCloudToView(Layer &root, const std::vector<TextLayer *> &layers, QSizeF viewSize);
