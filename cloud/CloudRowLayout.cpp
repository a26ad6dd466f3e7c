#include "CloudRowLayout.h"

#include "TextLayer.h"

namespace {

float layerWidth(const TextLayer *layer)
{
    return static_cast<float>(layer->bounds().width());
}

float layerHeight(const TextLayer *layer)
{
    return static_cast<float>(layer->bounds().height());
}

} // namespace

CloudRowLayout::CloudRowLayout(const std::vector<TextLayer *> &layers, float width)
    : m_layers(layers)
    , m_availableWidth(width - rightMargin)
{
    float runningWidth = 0.0f;
    float rowHeight = 0.0f;
    for (const TextLayer *layer : m_layers) {
        runningWidth += layerWidth(layer);
        // A word that reaches the available width opens the next row, so a first
        // word that is too wide leaves an empty row of height 0 before it.
        if (runningWidth >= m_availableWidth) {
            m_rowHeights.push_back(rowHeight);
            runningWidth = layerWidth(layer);
            rowHeight = 0.0f;
        }
        if (layerHeight(layer) > rowHeight)
            rowHeight = layerHeight(layer);
    }
    m_rowHeights.push_back(rowHeight);
    for (const float height : m_rowHeights)
        m_totalHeight += height;
}

CloudFit CloudRowLayout::fitView(float viewWidth, QSizeF visibleAreaSize) const
{
    if (m_totalHeight > static_cast<float>(visibleAreaSize.height()))
        return {QSizeF(viewWidth, m_totalHeight), true};
    return {visibleAreaSize, false};
}

void CloudRowLayout::placeLayers(float viewHeight) const
{
    auto nextRow = m_rowHeights.cbegin();
    const float firstHeight = *nextRow++;
    float rowBottom = viewHeight - firstHeight;
    float rowCentre = firstHeight * -0.5f + viewHeight;

    float x = 0.0f;
    float runningWidth = 0.0f;
    for (TextLayer *layer : m_layers) {
        runningWidth += layerWidth(layer);
        // The same rule as the first pass, so the rows match its heights one to one.
        if (runningWidth >= m_availableWidth) {
            runningWidth = layerWidth(layer);
            const float height = *nextRow++;
            rowCentre = rowBottom + height * -0.5f;
            rowBottom = rowBottom - height;
            x = 0.0f;
        }
        layer->setPosition(QPointF(x, rowCentre));
        x += layerWidth(layer);
    }
}

CloudFit fitCloudToView(Layer &root, const std::vector<TextLayer *> &layers, float rowWidth,
                        QSizeF visibleAreaSize, const ScrollerChange &applyScroller)
{
    const CloudRowLayout rows(layers, rowWidth);
    CloudFit fit = rows.fitView(static_cast<float>(visibleAreaSize.width()), visibleAreaSize);
    if (applyScroller) {
        // A scroller takes its room from the area's width, not its height, so the
        // decision stands and only the width is taken again.
        const QSizeF narrowed = applyScroller(fit.verticalScroller);
        fit.viewSize =
            fit.verticalScroller ? QSizeF(narrowed.width(), fit.viewSize.height()) : narrowed;
    }
    rows.placeLayers(static_cast<float>(fit.viewSize.height()));
    root.setFrame(QRectF(QPointF(0, 0), fit.viewSize));
    return fit;
}
