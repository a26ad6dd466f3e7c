#pragma once

#include "DrawingLayer.h"

#include <QPointF>
#include <QRectF>
#include <memory>
#include <utility>

// The two control points of a connector: both at the middle of the box's width, at
// the heights of the start and of the end, so the curve leaves and arrives level.
std::pair<QPointF, QPointF> curveControlPoints(QPointF startNode, QPointF endNode);

// Where a connector from `from` to `to` (root-layer coordinates) lies: its frame as set
// (the box the two points span, 1.0 high where they differ in height by less; a
// negative height for a falling curve) and its two ends in the box's own coordinates.
struct CurveGeometry
{
    QRectF frameAsSet;
    QPointF startNode;
    QPointF endNode;
};
CurveGeometry curveGeometry(QPointF from, QPointF to);

// A connector from the right end of a branching word to the left end of one of its
// followers: one cubic Bezier curve inside the box the two points span.
class CurveLayer : public DrawingLayer
{
public:
    // from and to are in the root layer's coordinates, to lying to the right of from.
    static std::unique_ptr<CurveLayer> initWithStartNode(QPointF from, QPointF to);

    // In the layer's own coordinates (origin at the lower left corner of its box).
    QPointF startNode() const { return m_startNode; }
    void setStartNode(QPointF startNode) { m_startNode = startNode; }
    QPointF endNode() const { return m_endNode; }
    void setEndNode(QPointF endNode) { m_endNode = endNode; }

    // The frame as it was set: its height is negative for a falling curve, where
    // frame() gives the same box normalised.
    QRectF frameAsSet() const { return m_frameAsSet; }

protected:
    void drawInContext(QPainter &painter) const override;

private:
    CurveLayer() = default;

    QPointF m_startNode;
    QPointF m_endNode;
    QRectF m_frameAsSet;
};
