#pragma once

#include <QByteArray>
#include <QtGlobal>

// A deterministic English-like text in UTF-8 of about the given size: words drawn
// from a vocabulary with a Zipf-like frequency, sentences with capitals and
// punctuation, lines wrapped near 70 columns (some hyphenated across the break),
// blank lines between paragraphs, and a small share of accented words.
QByteArray generateEnglishLikeText(qsizetype bytes, quint64 seed = 1);
