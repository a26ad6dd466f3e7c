#include "Scanner.h"

using CharacterClasses::characterAt;

qsizetype Scanner::skipFrom(qsizetype position) const
{
    while (position < m_text.size()) {
        const auto character = characterAt(m_text, position);
        if (!CharacterClasses::isSkipped(character.codePoint))
            break;
        position += character.length;
    }
    return position;
}

bool Scanner::isAtEnd() const
{
    return skipFrom(m_location) >= m_text.size();
}

template<bool StopWhenInSet> bool Scanner::scan(CharacterSet set, QStringView *piece)
{
    const qsizetype start = skipFrom(m_location);
    qsizetype position = start;
    while (position < m_text.size()) {
        const auto character = characterAt(m_text, position);
        if (set(character.codePoint) == StopWhenInSet)
            break;
        position += character.length;
    }
    if (piece)
        *piece = m_text.sliced(start, position - start);
    if (position == start)
        return false; // a failed scan leaves the location where it was
    m_location = position;
    return true;
}

bool Scanner::scanUpTo(CharacterSet stopSet, QStringView *piece)
{
    return scan<true>(stopSet, piece);
}

bool Scanner::scanCharacters(CharacterSet set, QStringView *piece)
{
    return scan<false>(set, piece);
}
