#pragma once

#include <QFont>
#include <QString>

// Resolves a font name as the views ask for it (e.g. "Futura-CondensedMedium") to an
// installed face at size points, where one point is one logical pixel of the layer
// coordinates. deviceDpi is the logical resolution of the device the font will be
// used on; the face is scaled so its glyphs come out at the same size on any device.
QFont resolveFont(const QString &fontName, qreal size, qreal deviceDpi = 72.0);

// Lets Qt draw large words from its glyph cache; beyond 64 device pixels it would fill
// their outlines instead, some fifty times slower. Qt reads the setting once, when it
// first draws any text, so call this at start-up, before the first window is painted;
// the layer views and the painter call it themselves. A value set by the user stays.
void prepareTextRendering();
