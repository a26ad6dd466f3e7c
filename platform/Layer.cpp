#include "Layer.h"

#include <algorithm>

Layer::Layer() = default;

Layer::~Layer() = default;

QRectF Layer::frame() const
{
    const QSizeF size = m_bounds.size();
    const QPointF origin(m_position.x() - m_anchorPoint.x() * size.width(),
                         m_position.y() - m_anchorPoint.y() * size.height());
    return {origin, size};
}

void Layer::setFrame(const QRectF &frame)
{
    const QRectF box = frame.normalized();
    m_bounds.setSize(box.size());
    m_position = QPointF(box.x() + m_anchorPoint.x() * box.width(),
                         box.y() + m_anchorPoint.y() * box.height());
}

Layer *Layer::addSublayer(std::unique_ptr<Layer> layer)
{
    Q_ASSERT(layer);
    m_sublayers.push_back(std::move(layer));
    return m_sublayers.back().get();
}

std::vector<std::size_t> Layer::paintOrder() const
{
    std::vector<std::size_t> order(m_sublayers.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return m_sublayers[a]->zPosition() < m_sublayers[b]->zPosition();
    });
    return order;
}

std::vector<const Layer *> Layer::sublayersInPaintOrder() const
{
    std::vector<const Layer *> ordered;
    ordered.reserve(m_sublayers.size());
    for (const std::size_t index : paintOrder())
        ordered.push_back(m_sublayers[index].get());
    return ordered;
}

void Layer::drawContent(QPainter &) const {}
