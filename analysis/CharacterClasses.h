#pragma once

#include <QStringView>

// The character classes every scanner works with, by Unicode general category.
// A valid surrogate pair is one character with its code point's category; a lone
// surrogate is a character of its own (category Cs), so it belongs to no class
// but the word-break set.
namespace CharacterClasses {

struct Character
{
    char32_t codePoint;
    qsizetype length; // in UTF-16 code units: 1 or 2
};

// The character that starts at position, which must be inside text.
inline Character characterAt(QStringView text, qsizetype position)
{
    const char16_t unit = text[position].unicode();
    if (QChar::isHighSurrogate(unit) && position + 1 < text.size()) {
        const char16_t next = text[position + 1].unicode();
        if (QChar::isLowSurrogate(next))
            return {QChar::surrogateToUcs4(unit, next), 2};
    }
    return {unit, 1};
}

// The one definition of a line break, for the line joining, the tokens and the contexts
// alike: LF, VT, FF, CR, NEL, and the line and paragraph separators (Zl, Zp). Inline:
// the line joining asks this of every character.
inline bool isLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}
bool isWhitespace(char32_t c);  // Zs and tab
bool isSkipped(char32_t c);     // what every scanner passes over: whitespace and line breaks
bool isLetter(char32_t c);      // L* and M*
bool isWordBreak(char32_t c);   // neither letter nor whitespace
bool isPunctuation(char32_t c); // P*

} // namespace CharacterClasses
