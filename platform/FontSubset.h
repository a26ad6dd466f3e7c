#pragma once

#include <QByteArray>
#include <QSet>

class QRawFont;

// An OpenType font holding just the glyphs that font draws for codePoints, the glyphs
// in glyphs besides (those shaping drew: ligatures, contextual and joining forms) and
// the layout a renderer shapes them with, without hinting: the views set text
// unhinted. Empty when the font cannot be read or subset.
QByteArray fontSubset(const QRawFont &font, const QSet<char32_t> &codePoints,
                      const QSet<quint32> &glyphs);
