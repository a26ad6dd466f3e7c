#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

// A retained layer: a box placed in its superlayer by its position and anchor point,
// with ordered sublayers that it owns. Coordinates have y growing upward from the
// lower left corner, as in every view of the application.
class Layer
{
public:
    Layer();
    virtual ~Layer();
    Layer(const Layer &) = delete;
    Layer &operator=(const Layer &) = delete;

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    QRectF bounds() const { return m_bounds; }
    void setBounds(const QRectF &bounds) { m_bounds = bounds; }
    // In units of the layer's size; (0.5, 0.5), the centre, by default.
    QPointF anchorPoint() const { return m_anchorPoint; }
    void setAnchorPoint(QPointF anchorPoint) { m_anchorPoint = anchorPoint; }
    // Where the anchor point stands in the superlayer's coordinates.
    QPointF position() const { return m_position; }
    void setPosition(QPointF position) { m_position = position; }

    // The box in the superlayer's coordinates: position − anchorPoint × size.
    QRectF frame() const;
    // A negative width or height stands for the same box measured the other way
    // from the origin; the layer takes the box's size as its bounds and keeps its
    // anchor point.
    void setFrame(const QRectF &frame);

    qreal zPosition() const { return m_zPosition; }
    void setZPosition(qreal zPosition) { m_zPosition = zPosition; }

    const std::vector<std::unique_ptr<Layer>> &sublayers() const { return m_sublayers; }
    // Appends the layer above its siblings of equal z-position and returns it.
    Layer *addSublayer(std::unique_ptr<Layer> layer);

    // Sublayers from bottom to top: by z-position, equal ones in sibling order.
    std::vector<const Layer *> sublayersInPaintOrder() const;

    // Paints this layer's own content, not its sublayers, in its own coordinates
    // (y upward, origin at the lower left corner of its bounds).
    virtual void drawContent(QPainter &painter) const;

private:
    // Indices into m_sublayers from bottom to top.
    std::vector<std::size_t> paintOrder() const;

    QString m_name;
    QRectF m_bounds;
    QPointF m_anchorPoint{0.5, 0.5};
    QPointF m_position;
    qreal m_zPosition = 0.0;
    std::vector<std::unique_ptr<Layer>> m_sublayers;
};
