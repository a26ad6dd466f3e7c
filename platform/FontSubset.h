#pragma once

#include <QByteArray>
#include <QSet>

class QRawFont;

// An OpenType font holding just the glyphs that font draws for codePoints, with the
// shaping that scripts cannot do without (joining forms, marks) and without hinting,
// optional ligatures or kerning: the views set text unhinted and, where the script
// allows, unshaped. Empty when the font cannot be read or subset.
QByteArray fontSubset(const QRawFont &font, const QSet<char32_t> &codePoints);
