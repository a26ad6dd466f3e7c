#pragma once

#include <QStringList>

class Layer;
class QGlyphRun;

// Whether the run's glyphs come from an installed face: not so where no face has a
// character, and Qt draws a box of its own (or a face's own "missing" glyph).
bool drawsGlyphsOfAFace(const QGlyphRun &run);

// The scripts of the characters that the text layers under root draw without a face
// that has them, by their English names ("Devanagari"), sorted; empty when every
// character has one.
QStringList scriptsWithoutFont(const Layer &root);
