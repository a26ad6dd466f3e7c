#pragma once

#include "Layer.h"

#include <QPicture>

// A layer whose content is drawn once, when display() is called, and kept.
class DrawingLayer : public Layer
{
public:
    // Records drawInContext() now; later changes of the bounds do not redraw it.
    void display();

    void drawContent(QPainter &painter) const override;

protected:
    // Draws in the layer's own coordinates: y upward, origin at its lower left corner.
    virtual void drawInContext(QPainter &painter) const = 0;

private:
    QPicture m_content;
};
