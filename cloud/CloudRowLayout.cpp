#include "CloudRowLayout.h"

#include "CloudBuilder.h"

namespace {

float wordWidth(const CloudWord &word)
{
    return static_cast<float>(word.size.width());
}

float wordHeight(const CloudWord &word)
{
    return static_cast<float>(word.size.height());
}

} // namespace

CloudRowLayout::CloudRowLayout(const std::vector<CloudWord> &words, float width, float gap)
    : m_words(words)
    , m_availableWidth(width - rightMargin)
    , m_gap(gap)
{
    float runningWidth = 0.0f;
    float rowHeight = 0.0f;
    for (const CloudWord &word : m_words) {
        // Without a gap the sum is the width alone, to the last bit.
        runningWidth += wordWidth(word) + m_gap;
        // A word that reaches the available width opens the next row, so a first
        // word that is too wide leaves an empty row of height 0 before it.
        if (runningWidth >= m_availableWidth) {
            m_rowHeights.push_back(rowHeight);
            runningWidth = wordWidth(word) + m_gap;
            rowHeight = 0.0f;
        }
        if (wordHeight(word) > rowHeight)
            rowHeight = wordHeight(word);
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

void CloudRowLayout::placeWords(std::vector<CloudWord> &words, float viewHeight) const
{
    Q_ASSERT(&words == &m_words);
    auto nextRow = m_rowHeights.cbegin();
    const float firstHeight = *nextRow++;
    float rowBottom = viewHeight - firstHeight;
    float rowCentre = firstHeight * -0.5f + viewHeight;

    float x = 0.0f;
    float runningWidth = 0.0f;
    for (CloudWord &word : words) {
        runningWidth += wordWidth(word) + m_gap;
        // The same rule as the first pass, so the rows match its heights one to one.
        if (runningWidth >= m_availableWidth) {
            runningWidth = wordWidth(word) + m_gap;
            const float height = *nextRow++;
            rowCentre = rowBottom + height * -0.5f;
            rowBottom = rowBottom - height;
            x = 0.0f;
        }
        word.position = QPointF(x, rowCentre);
        x += wordWidth(word) + m_gap;
    }
}

CloudFit fitCloudToView(BuiltCloud &cloud, float rowWidth, QSizeF visibleAreaSize,
                        const ScrollerChange &applyScroller, float gap)
{
    const CloudRowLayout rows(cloud.words, rowWidth, gap);
    CloudFit fit = rows.fitView(static_cast<float>(visibleAreaSize.width()), visibleAreaSize);
    if (applyScroller) {
        // A scroller takes its room from the area's width, not its height, so the
        // decision stands and only the width is taken again.
        const QSizeF narrowed = applyScroller(fit.verticalScroller);
        fit.viewSize =
            fit.verticalScroller ? QSizeF(narrowed.width(), fit.viewSize.height()) : narrowed;
    }
    rows.placeWords(cloud.words, static_cast<float>(fit.viewSize.height()));
    for (std::size_t i = 0; i < cloud.layers.size(); ++i)
        cloud.layers[i]->setPosition(cloud.words[i].position);
    if (cloud.root)
        cloud.root->setFrame(QRectF(QPointF(0, 0), fit.viewSize));
    return fit;
}

namespace {

bool rowsFit(const std::vector<CloudWord> &words, float rowWidth, QSizeF room, float gap,
             double zoom)
{
    const CloudRowLayout rows(words, static_cast<float>(rowWidth / zoom), gap);
    return rows.totalHeight() <= room.height() / zoom;
}

} // namespace

double zoomToFitRows(const std::vector<CloudWord> &words, float rowWidth, QSizeF room, float gap,
                     double minimumZoom)
{
    if (rowsFit(words, rowWidth, room, gap, 1.0))
        return 1.0;
    if (!rowsFit(words, rowWidth, room, gap, minimumZoom))
        return minimumZoom;
    // Wider rows and more room as the zoom falls: the rows fit from some zoom down, up to
    // the odd row break. Halving the interval finds that zoom to well below a pixel.
    double fits = minimumZoom;
    double fails = 1.0;
    for (int step = 0; step < 24; ++step) {
        const double middle = (fits + fails) / 2.0;
        (rowsFit(words, rowWidth, room, gap, middle) ? fits : fails) = middle;
    }
    return fits;
}
