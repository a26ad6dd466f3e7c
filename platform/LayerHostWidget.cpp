#include "LayerHostWidget.h"

#include "LayerPainter.h"
#include "ViewCoordinates.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

LayerHostWidget::LayerHostWidget(QWidget *parent)
    : QWidget(parent)
    , m_rootLayer(std::make_unique<Layer>())
{
    // Everything is painted from the layer tree, over an opaque white ground.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitRootLayer();
}

LayerHostWidget::~LayerHostWidget() = default;

void LayerHostWidget::setRootLayer(std::unique_ptr<Layer> root)
{
    m_rootLayer = root ? std::move(root) : std::make_unique<Layer>();
    fitRootLayer();
    update();
}

void LayerHostWidget::setContentSize(QSizeF size)
{
    m_contentSize = size;
    fitRootLayer();
    resize(QSize(int(std::ceil(size.width())), int(std::ceil(size.height()))));
}

QPointF LayerHostWidget::viewPointFromWidget(QPointF widgetPoint) const
{
    return ViewCoordinates(viewHeight()).toLayer(widgetPoint);
}

qreal LayerHostWidget::viewHeight() const
{
    // A hidden widget gets its resize event only when shown: read its size directly.
    return m_contentSize ? m_contentSize->height() : qreal(height());
}

void LayerHostWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const QRectF exposed = ViewCoordinates(viewHeight()).toLayer(QRectF(event->rect()));
    LayerPainter::paint(painter, *m_rootLayer, viewHeight(), exposed);
}

void LayerHostWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitRootLayer();
}

void LayerHostWidget::fitRootLayer()
{
    m_rootLayer->setFrame(QRectF(QPointF(0.0, 0.0), m_contentSize.value_or(QSizeF(size()))));
}
