#include "WordCloudView.h"

#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "TextLayer.h"
#include "WordColor.h"

#include <QMouseEvent>
#include <QScrollArea>

WordCloudView::WordCloudView(QWidget *parent)
    : LayerHostWidget(parent)
    , m_measurer(std::make_unique<FontMetricsMeasurer>())
    , m_random(std::make_unique<StdRandomSource>())
{}

WordCloudView::~WordCloudView() = default;

void WordCloudView::setScrollView(QScrollArea *scrollView)
{
    m_scrollView = scrollView;
    // The cloud reflows to the width, so it only ever scrolls vertically.
    if (m_scrollView)
        m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void WordCloudView::setTextMeasurer(std::unique_ptr<TextMeasurer> measurer)
{
    Q_ASSERT(measurer);
    m_measurer = std::move(measurer);
}

void WordCloudView::buildCloud()
{
    BuiltCloud cloud = buildCloudLayers(m_wordDict, *m_measurer, *m_random);
    // The old layer list points into the old root: replace both together.
    m_layers = std::move(cloud.layers);
    setRootLayer(std::move(cloud.root));
    scaleLayersToSize(QSizeF(size()));
    window()->show();
    window()->raise();
}

void WordCloudView::scaleLayersToSize(QSizeF size)
{
    const ScrollerChange showScroller = [this](bool verticalScroller) {
        if (m_scrollView)
            m_scrollView->setVerticalScrollBarPolicy(verticalScroller ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
        return visibleAreaSize();
    };
    // The view's width follows the visible area's, as a scroll area's document does;
    // keeping an older, narrower width would hide the words placed beyond it.
    const CloudFit fit = fitCloudToView(*rootLayer(), m_layers, static_cast<float>(size.width()),
                                        visibleAreaSize(), showScroller);
    setContentSize(fit.viewSize);
    update();
}

QSizeF WordCloudView::visibleAreaSize() const
{
    if (m_scrollView)
        return QSizeF(m_scrollView->viewport()->size());
    if (parentWidget())
        return QSizeF(parentWidget()->size());
    return QSizeF(size());
}

const Layer *WordCloudView::wordLayerAt(QPointF widgetPoint)
{
    Layer *root = rootLayer();
    // The widget's own coordinates already follow the scroll position, so only the
    // flip to the layers' y-up space is needed.
    const Layer *hit = root->hitTest(viewPointFromWidget(widgetPoint));
    return hit == root ? nullptr : hit;
}

void WordCloudView::mouseMoveEvent(QMouseEvent *event)
{
    // Drags are not hovering, and nothing shows while the window is inactive.
    if (!hasMouseTracking() || event->buttons() != Qt::NoButton)
        return;
    if (const Layer *layer = wordLayerAt(event->position()))
        emit wordHovered(layer->name(), m_wordDict.value(layer->name()));
}

void WordCloudView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (const Layer *layer = wordLayerAt(event->position()))
        emit wordChosen(layer->name());
}
