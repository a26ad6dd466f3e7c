#pragma once

#include "WordDictionary.h"

#include <QString>

// What the analysis of one text hands on: the text as the user gave it and the words
// the cloud shows. Immutable once made, so shared between threads and views.
struct TextAnalysis
{
    QString text;
    WordDictionary words;
};
