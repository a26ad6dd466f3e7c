#pragma once

#include <QString>

// A long text goes into the editor this many code units at a time, or about so many.
constexpr qsizetype pieceLength = 32 * 1024;

// The end of the piece of text from start: after a line break near the piece's end where
// there is one (a new paragraph is cheaper than a long one growing), never between the
// two halves of a surrogate pair or of a CR LF.
qsizetype pieceEnd(const QString &text, qsizetype start);
