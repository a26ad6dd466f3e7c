#pragma once

#include <QFont>
#include <QString>

// Resolves a font name as the views ask for it (e.g. "Futura-CondensedMedium") to an
// installed face at size points, where one point is one logical pixel of the layer
// coordinates. deviceDpi is the logical resolution of the device the font will be
// used on; the face is scaled so its glyphs come out at the same size on any device.
QFont resolveFont(const QString &fontName, qreal size, qreal deviceDpi = 72.0);
