#pragma once

#include <QString>

// How words of any length are shown. The font engine measures a line in 26.6 fixed
// point and shapes it in one piece: past some 2^25 pixels its widths wrap around, and
// past some 74 million letters it crashes. Drawing a word whole also costs what the
// word is long, on every paint. No real word comes near a thousand letters (text
// without spaces, such as a pasted block of data, does), so longer ones are cut.

// The longest word drawn whole, in UTF-16 code units.
inline constexpr qsizetype longestDrawnWord = 1000;
// The longest word the info panel shows whole.
inline constexpr qsizetype longestPanelWord = 100;

// The text a word layer draws for word: the word itself up to longestDrawnWord code
// units; else its first longestDrawnWord - 1 (one fewer where a surrogate pair would be
// split) and "…".
QString drawnWord(const QString &word);

// The info panel's text for word: the word itself up to longestPanelWord code units;
// else its first part, "…" and the length of the whole, e.g. "abcd… (75,000,000
// characters)".
QString panelWord(const QString &word);
