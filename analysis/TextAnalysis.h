#pragma once

#include "CountedSet.h"
#include "TextPlaces.h"
#include "WordDictionary.h"

#include <QString>
#include <memory>

// What the analysis of one text hands on: the text as the user gave it, the words the
// cloud shows, every word's count (from which the cloud may leave words out), and for
// a corpus where each place of the text stands in its files.
// Immutable once made, so shared between threads and views.
struct TextAnalysis
{
    QString text;
    WordDictionary words;
    std::shared_ptr<const CountedSet> allWords;
    std::shared_ptr<const TextPlaces> places = {}; // none for a text of its own
};
