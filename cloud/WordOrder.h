#pragma once

#include <QString>
#include <QStringView>

class Layer;

// A word prepared for ordering: the decomposed (NFD) form of its start is made once,
// so sorting many words does not normalise them again on every comparison.
struct WordSortKey
{
    QString decomposed; // of the word's first sortPrefixUnits code units
    QString word;
};

// How much of a word its key decomposes. Normalising costs more than linear time in a
// long run of decomposable letters or combining marks; a word this long is drawn cut
// anyway, and two words that share so long a start still order by their code units.
inline constexpr qsizetype sortPrefixUnits = 256;

WordSortKey wordSortKey(QStringView word);

// Orders words by the decomposed forms of their starts, UTF-16 code unit by code unit,
// so a precomposed letter sorts with its decomposed spelling; words whose starts are
// canonically equivalent fall back to their own code units, which keeps the order
// total. Returns a negative number, 0 or a positive number.
int compareKeys(const WordSortKey &first, const WordSortKey &second);
int compareWords(QStringView first, QStringView second);

// Orders word layers by their names, as compareWords does.
int compare(const Layer &first, const Layer &second);
