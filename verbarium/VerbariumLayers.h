#pragma once

#include "Layer.h"

#include <QSizeF>
#include <memory>

struct VerbariumPicture;

// The picture as layers, for the view and for export: the root layer "mainLayer" with
// the given frame size, a NodeLayer per word above a CurveLayer per connector.
std::unique_ptr<Layer> verbariumLayers(const VerbariumPicture &picture, QSizeF frameSize);
// The picture's word and curve layers, added to root.
void appendVerbariumLayers(Layer &root, const VerbariumPicture &picture);
