#pragma once

#include "CloudBuilder.h"
#include "WordDictionary.h"

#include <QColor>
#include <QSet>
#include <QString>
#include <optional>
#include <stop_token>
#include <vector>

struct TextAnalysis;
class TextMeasurer;

// How a cloud whose words mean more than their counts (the keyness cloud) looks and
// reads: each word's colour and the name screen readers hear, in the order of the
// measured words, and what the view says when there are no words.
struct FixedLook
{
    std::vector<QColor> colors;
    std::vector<QString> accessibleNames;
    QString emptyMessage;
};

// What the cloud shows of one text: its words chosen and measured, which takes time and
// is done on a worker; the window's thread then only colours, places and draws them.
// Immutable once made.
struct CloudContent
{
    WordDictionary words;               // the words shown
    MeasuredCloud measured;             // the same, measured and in alphabetical order
    bool textHasWords = false;          // whether the text had words before any were left out
    qsizetype leftOutWords = 0;         // how many different words of the text were left out
    std::optional<FixedLook> fixedLook; // none: colours drawn at random, "word, N times"
};

// The cloud of analysis without the words of leftOut, which are taken out before the
// dictionary's limits so that others take their room; measured by measurer. Throws
// WorkStopped once stop is requested.
CloudContent makeCloudContent(const TextAnalysis &analysis, const QSet<QString> &leftOut,
                              const TextMeasurer &measurer, std::stop_token stop = {});
