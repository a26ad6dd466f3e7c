#pragma once

#include "WordDictionary.h"

#include <QString>
#include <QStringView>

// Turns a raw text into the tree text (lower-cased, lines joined) and the
// word-to-count dictionary of its most frequent words.
class FileParser
{
public:
    // Also replaces treeText().
    WordDictionary inputStrings(QStringView text);

    // Null until inputStrings() has run.
    const QString &treeText() const { return m_treeText; }

private:
    QString m_treeText;
};
