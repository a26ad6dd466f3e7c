#include "CurveLayer.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

std::pair<QPointF, QPointF> curveControlPoints(QPointF startNode, QPointF endNode)
{
    const float mx = (float(endNode.x()) - float(startNode.x())) * 0.5f;
    return {QPointF(mx, startNode.y()), QPointF(mx, endNode.y())};
}

CurveGeometry curveGeometry(QPointF from, QPointF to)
{
    CurveGeometry curve;
    const float ax = float(from.x());
    const float ay = float(from.y());
    const float bx = float(to.x());
    const float by = float(to.y());
    const float w = bx - ax;
    const float dy = by - ay;
    if (ay > by) {
        curve.startNode = QPointF(0.0f, ay - by);
        curve.endNode = QPointF(w, 0.0f);
    } else {
        curve.startNode = QPointF(0.0f, 0.0f);
        curve.endNode = QPointF(w, dy);
    }
    // A level curve still gets a box one unit high, so it can be drawn and hit.
    const float h = std::fabs(dy) >= 1.0f ? dy : 1.0f;
    curve.frameAsSet = QRectF(ax, ay, w, h);
    return curve;
}

std::unique_ptr<CurveLayer> CurveLayer::initWithStartNode(QPointF from, QPointF to)
{
    std::unique_ptr<CurveLayer> curve(new CurveLayer);
    const CurveGeometry geometry = curveGeometry(from, to);
    curve->m_startNode = geometry.startNode;
    curve->m_endNode = geometry.endNode;
    curve->m_frameAsSet = geometry.frameAsSet;
    curve->setFrame(curve->m_frameAsSet);
    curve->setName(u"curve.layer"_s);
    return curve;
}

void CurveLayer::drawInContext(QPainter &painter) const
{
    const auto [control1, control2] = curveControlPoints(m_startNode, m_endNode);
    QPainterPath path(m_startNode);
    path.cubicTo(control1, control2, m_endNode);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}
