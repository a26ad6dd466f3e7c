#pragma once

#include <QtGlobal>

class WordCloudView;

// Screen readers see the cloud as a list whose items are its words, each named
// "word, N times", in reading order; the keyboard focus moves among them.

// Makes every WordCloudView describe itself so; safe to call more than once.
void installCloudAccessibility();
// Tells screen readers that the keyboard focus is on the word at index.
void cloudFocusMoved(WordCloudView *view, qsizetype index);
