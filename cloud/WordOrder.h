#pragma once

#include <QString>
#include <QStringView>

class Layer;

// A word prepared for ordering: its decomposed (NFD) form is made once, so sorting
// many words does not normalise them again on every comparison.
struct WordSortKey
{
    QString decomposed;
    QString word;
};

WordSortKey wordSortKey(QStringView word);

// Orders words by their decomposed forms, UTF-16 code unit by code unit, so a
// precomposed letter sorts with its decomposed spelling; words that are canonically
// equivalent fall back to their own code units, which keeps the order total.
// Returns a negative number, 0 or a positive number.
int compareKeys(const WordSortKey &first, const WordSortKey &second);
int compareWords(QStringView first, QStringView second);

// Orders word layers by their names, as compareWords does.
int compare(const Layer &first, const Layer &second);
