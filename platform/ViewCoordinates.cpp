#include "ViewCoordinates.h"

ViewCoordinates::ViewCoordinates(qreal viewHeight)
    : m_layerToDevice(1.0, 0.0, 0.0, -1.0, 0.0, viewHeight)
    , m_deviceToLayer(m_layerToDevice.inverted())
{}
