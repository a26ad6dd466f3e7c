#pragma once

#include "CharacterClasses.h"

#include <QStringView>

// A forward scanner over a text that, before every scan, passes over the skipped
// characters (whitespace and line breaks), and counts as at its end when nothing
// else is left. Scans never split a surrogate pair. The text must outlive the
// scanner; the pieces it returns are views into that text.
class Scanner
{
public:
    using CharacterSet = bool (*)(char32_t);

    explicit Scanner(QStringView text)
        : m_text(text)
    {}

    bool isAtEnd() const;
    qsizetype scanLocation() const { return m_location; }
    void setScanLocation(qsizetype location) { m_location = location; }

    // Reads up to the first character of stopSet (or the end). Returns false, with
    // an empty piece, when nothing could be read.
    bool scanUpTo(CharacterSet stopSet, QStringView *piece = nullptr);
    // Reads the run of characters of set. Returns false when there is none.
    bool scanCharacters(CharacterSet set, QStringView *piece = nullptr);

private:
    qsizetype skipFrom(qsizetype position) const;
    template<bool StopWhenInSet> bool scan(CharacterSet set, QStringView *piece);

    QStringView m_text;
    qsizetype m_location = 0;
};
