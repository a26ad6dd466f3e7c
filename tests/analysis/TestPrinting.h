#pragma once

#include "WordDictionary.h"

#include <QString>
#include <ostream>
#include <string>

// Readable failure messages: a dictionary prints as "word:count word:count".
inline std::string describe(const WordDictionary &words)
{
    QString text;
    for (const WordDictionary::Entry &entry : words)
        text += QStringLiteral("%1:%2 ").arg(entry.word).arg(entry.count);
    return text.trimmed().toStdString();
}

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
