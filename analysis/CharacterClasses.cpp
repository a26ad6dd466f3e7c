#include "CharacterClasses.h"

#include <QChar>
#include <bitset>

namespace CharacterClasses {

bool isWhitespace(char32_t c)
{
    if (c == u' ' || c == u'\t')
        return true;
    return c >= 0x80 && QChar::category(c) == QChar::Separator_Space;
}

bool isSkipped(char32_t c)
{
    return isLineBreak(c) || isWhitespace(c);
}

namespace {

bool hasLetterCategory(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
        return true;
    default:
        return false;
    }
}

// The word cutting asks this of every character: the Basic Multilingual Plane is
// answered from a bitmap (8 KB) filled once from the same categories.
const std::bitset<0x10000> &lettersOfBasicPlane()
{
    static const std::bitset<0x10000> letters = [] {
        std::bitset<0x10000> bits;
        for (char32_t c = 0; c < 0x10000; ++c)
            bits[c] = hasLetterCategory(c);
        return bits;
    }();
    return letters;
}

} // namespace

bool isLetter(char32_t c)
{
    if (c < 0x80)
        return (c | 0x20) >= u'a' && (c | 0x20) <= u'z';
    if (c < 0x10000)
        return lettersOfBasicPlane()[c];
    return hasLetterCategory(c);
}

bool isWordBreak(char32_t c)
{
    return !isLetter(c) && !isWhitespace(c);
}

bool isPunctuation(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Punctuation_Connector:
    case QChar::Punctuation_Dash:
    case QChar::Punctuation_Open:
    case QChar::Punctuation_Close:
    case QChar::Punctuation_InitialQuote:
    case QChar::Punctuation_FinalQuote:
    case QChar::Punctuation_Other:
        return true;
    default:
        return false;
    }
}

} // namespace CharacterClasses
