#pragma once

#include <QPointF>
#include <QRectF>
#include <QTransform>

// The one mapping between a view's layer coordinates (y upward from the lower left
// corner) and its device coordinates (y downward from the upper left corner). Both
// painting and pointer handling go through it.
class ViewCoordinates
{
public:
    explicit ViewCoordinates(qreal viewHeight);

    // Layer coordinates to device coordinates, for a painter's world transform.
    QTransform layerToDevice() const { return m_layerToDevice; }
    QPointF toDevice(QPointF layerPoint) const { return m_layerToDevice.map(layerPoint); }
    QPointF toLayer(QPointF devicePoint) const { return m_deviceToLayer.map(devicePoint); }
    QRectF toLayer(const QRectF &deviceRect) const { return m_deviceToLayer.mapRect(deviceRect); }

private:
    QTransform m_layerToDevice;
    QTransform m_deviceToLayer;
};
