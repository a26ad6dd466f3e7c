#include "LayerHostWidget.h"

#include "LayerPainter.h"
#include "ViewCoordinates.h"

#include <QAbstractScrollArea>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// One step magnifies by a quarter; four steps nearly double the size.
constexpr qreal zoomStep = 1.25;

QSize wholePixels(QSizeF size)
{
    return {int(std::ceil(size.width())), int(std::ceil(size.height()))};
}

} // namespace

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
    resizeToContent();
}

QSizeF LayerHostWidget::pictureSize() const
{
    if (m_contentSize)
        return QSizeF(wholePixels(*m_contentSize));
    return QSizeF(size()) / m_zoom;
}

void LayerHostWidget::setZoom(qreal zoom, std::optional<QPointF> anchor)
{
    zoom = std::clamp(zoom, minimumZoom, maximumZoom);
    if (zoom == m_zoom)
        return;
    QAbstractScrollArea *area = scrollArea();
    const QPointF anchorInWidget = anchor.value_or(area ? -pos() : QPointF());
    const QPointF anchorInArea = anchorInWidget + pos();
    const QPointF anchorInPoints = anchorInWidget / m_zoom;
    m_zoom = zoom;
    if (m_contentSize)
        resizeToContent();
    else
        fitRootLayer();
    zoomApplied();
    if (area) {
        const QPointF scrolled = anchorInPoints * m_zoom - anchorInArea;
        area->horizontalScrollBar()->setValue(qRound(scrolled.x()));
        area->verticalScrollBar()->setValue(qRound(scrolled.y()));
    }
    if (hasFocus())
        scrollToShow(focusedWordRect());
    update();
    emit zoomChanged(m_zoom);
}

void LayerHostWidget::zoomBy(qreal steps, std::optional<QPointF> anchor)
{
    setZoom(m_zoom * std::pow(zoomStep, steps), anchor);
}

qreal LayerHostWidget::fittingZoom() const
{
    const QSizeF picture = pictureSize();
    // The room without scroll bars, in pixels: a picture that fits needs none.
    const QAbstractScrollArea *area = scrollArea();
    const QSizeF visible(area ? area->maximumViewportSize() : size());
    if (picture.isEmpty())
        return 1.0;
    return std::min({1.0, visible.width() / picture.width(), visible.height() / picture.height()});
}

QPointF LayerHostWidget::viewPointFromWidget(QPointF widgetPoint) const
{
    return ViewCoordinates(viewHeight()).toLayer(widgetPoint / m_zoom);
}

QRectF LayerHostWidget::widgetRectFromView(const QRectF &viewRect) const
{
    const QRectF device = ViewCoordinates(viewHeight()).layerToDevice().mapRect(viewRect);
    return {device.topLeft() * m_zoom, device.size() * m_zoom};
}

QAbstractScrollArea *LayerHostWidget::scrollArea() const
{
    QWidget *viewport = parentWidget();
    auto *area = viewport ? qobject_cast<QAbstractScrollArea *>(viewport->parentWidget()) : nullptr;
    return area && area->viewport() == viewport ? area : nullptr;
}

void LayerHostWidget::scrollToShow(const QRect &rect)
{
    if (rect.isEmpty())
        return;
    auto *area = qobject_cast<QScrollArea *>(scrollArea());
    if (area)
        area->ensureVisible(rect.center().x(), rect.center().y(), rect.width() / 2 + 8,
                            rect.height() / 2 + 8);
}

void LayerHostWidget::paintKeyboardFocus(QPainter &painter) const
{
    const QRect rect = hasFocus() ? focusedWordRect() : QRect();
    if (rect.isEmpty())
        return;
    painter.resetTransform(); // the ring is as thick at every zoom
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect).adjusted(-2.0, -1.0, 2.0, 1.0), 4.0, 4.0);
}

qreal LayerHostWidget::viewHeight() const
{
    // A hidden widget gets its resize event only when shown: read its size directly.
    return m_contentSize ? m_contentSize->height() : qreal(height()) / m_zoom;
}

void LayerHostWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (m_zoom != 1.0)
        painter.scale(m_zoom, m_zoom);
    const QRectF exposedInPoints(QPointF(event->rect().topLeft()) / m_zoom,
                                 QSizeF(event->rect().size()) / m_zoom);
    const QRectF exposed = ViewCoordinates(viewHeight()).toLayer(exposedInPoints);
    LayerPainter::paint(painter, *m_rootLayer, viewHeight(), exposed);
    paintKeyboardFocus(painter);
    if (const QString message = placeholderMessage(); !message.isEmpty()) {
        painter.resetTransform();
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(visibleRegion().boundingRect(), Qt::AlignCenter | Qt::TextWordWrap,
                         message);
    }
}

void LayerHostWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitRootLayer();
}

void LayerHostWidget::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit hoverEnded();
}

void LayerHostWidget::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    zoomBy(event->angleDelta().y() / 120.0, event->position());
    event->accept();
}

void LayerHostWidget::fitRootLayer()
{
    m_rootLayer->setFrame(
        QRectF(QPointF(0.0, 0.0), m_contentSize.value_or(QSizeF(size()) / m_zoom)));
}

void LayerHostWidget::resizeToContent()
{
    resize(wholePixels(*m_contentSize * m_zoom));
}
