#pragma once

#include "CountedSet.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

// A language whose list of common words ships with the program.
struct CommonWordLanguage
{
    QString code; // e.g. "en"
    QString name; // e.g. "English"
};

// Every language with a list, ordered by name.
QList<CommonWordLanguage> commonWordLanguages();

// The common words of the language; none for a code without a list.
QSet<QString> commonWordsOf(const QString &languageCode);

// The words of a plain list: separated by white space, lower-cased; a line whose first
// visible character is '#' is a comment.
QSet<QString> parseWordList(QStringView text);

// The counted words without those in leftOut, in their order.
CountedSet withoutWords(const CountedSet &words, const QSet<QString> &leftOut);
