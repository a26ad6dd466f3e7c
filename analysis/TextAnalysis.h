#pragma once

#include "CountedSet.h"
#include "WordDictionary.h"

#include <QString>
#include <memory>

// What the analysis of one text hands on: the text as the user gave it, the words the
// cloud shows, and every word's count (from which the cloud may leave words out).
// Immutable once made, so shared between threads and views.
struct TextAnalysis
{
    QString text;
    WordDictionary words;
    std::shared_ptr<const CountedSet> allWords;
};
