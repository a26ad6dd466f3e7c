#pragma once

#include "CountedSet.h"
#include "WordDictionary.h"

#include <QString>
#include <QStringView>

// Turns a raw text into the tree text (lower-cased, lines joined) and the
// word-to-count dictionary of its most frequent words.
class FileParser
{
public:
    // Also replaces treeText(). The counts of every word, before the dictionary's
    // limits, go to allWords when it is given.
    WordDictionary inputStrings(QStringView text, CountedSet *allWords = nullptr);

    // Null until inputStrings() has run.
    const QString &treeText() const { return m_treeText; }
    void setTreeText(const QString &treeText) { m_treeText = treeText; }

private:
    QString m_treeText;
};
