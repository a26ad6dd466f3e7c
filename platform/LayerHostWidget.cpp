#include "LayerHostWidget.h"

#include "LayerPainter.h"
#include "ViewCoordinates.h"

#include <QPaintEvent>
#include <QPainter>

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

QPointF LayerHostWidget::viewPointFromWidget(QPointF widgetPoint) const
{
    return ViewCoordinates(height()).toLayer(widgetPoint);
}

void LayerHostWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const QRectF exposed = ViewCoordinates(height()).toLayer(QRectF(event->rect()));
    LayerPainter::paint(painter, *m_rootLayer, height(), exposed);
}

void LayerHostWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitRootLayer();
}

void LayerHostWidget::fitRootLayer()
{
    m_rootLayer->setFrame(QRectF(0.0, 0.0, width(), height()));
}
