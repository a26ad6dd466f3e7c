#include "Layer.h"

#include <algorithm>

namespace {

// Half-open on the far edges, so a point on the border between two touching boxes
// belongs to exactly one of them.
bool boxContains(const QRectF &box, QPointF point)
{
    return point.x() >= box.left() && point.x() < box.right() && point.y() >= box.top() &&
           point.y() < box.bottom();
}

} // namespace

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
    Q_ASSERT(layer && !layer->m_superlayer);
    layer->m_superlayer = this;
    m_sublayers.push_back(std::move(layer));
    return m_sublayers.back().get();
}

std::unique_ptr<Layer> Layer::removeFromSuperlayer()
{
    if (!m_superlayer)
        return nullptr;
    auto &siblings = m_superlayer->m_sublayers;
    // From the back, so clearing a picture newest layer first takes constant time each.
    const auto it = std::find_if(siblings.rbegin(), siblings.rend(),
                                 [this](const auto &sibling) { return sibling.get() == this; });
    Q_ASSERT(it != siblings.rend());
    std::unique_ptr<Layer> self = std::move(*it);
    siblings.erase(std::next(it).base());
    m_superlayer = nullptr;
    return self;
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

QPointF Layer::convertFromSuperlayer(QPointF point) const
{
    const QRectF box = frame();
    return point - box.topLeft() + m_bounds.topLeft();
}

Layer *Layer::hitTest(QPointF point)
{
    if (!boxContains(frame(), point))
        return nullptr;
    const QPointF local = convertFromSuperlayer(point);
    const std::vector<std::size_t> order = paintOrder();
    // Topmost first: the layer painted last is the one the user sees.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (Layer *hit = m_sublayers[*it]->hitTest(local))
            return hit;
    }
    return this;
}

void Layer::drawContent(QPainter &) const {}
