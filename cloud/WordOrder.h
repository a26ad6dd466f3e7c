#pragma once

#include <QStringView>

class Layer;

// Orders words by their decomposed (NFD) forms, UTF-16 code unit by code unit, so a
// precomposed letter sorts with its decomposed spelling; words that are canonically
// equivalent fall back to their own code units, which keeps the order total.
// Returns a negative number, 0 or a positive number.
int compareWords(QStringView first, QStringView second);

// Orders word layers by their names, as compareWords does.
int compare(const Layer &first, const Layer &second);
