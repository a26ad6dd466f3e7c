#pragma once

#include <QString>

// The tree texts the tree benchmarks grow from, made the way the app makes them.
namespace TreeInputs {

// The first megabyte of a UTF-8 text, cut at a line end, with every ".", "?" and
// "!" removed: no sentence ends, so every walk runs to the end of the text.
QByteArray withoutSentenceEnds(const QByteArray &utf8);

// The text repeated: 24 copies of the King James Bible make the 100 MB text.
QByteArray copies(const QByteArray &utf8, int count);

} // namespace TreeInputs
