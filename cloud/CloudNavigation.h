#pragma once

#include "CloudWord.h"

#include <vector>

// A move of the keyboard focus between the words of a laid-out cloud.
enum class CloudStep { Previous, Next, Up, Down, First, Last };

// The word the step leads to from the word at index from, in reading order (the
// words' order, row by row): Up and Down go to the row above or below, to the word
// whose middle is nearest. Where the step leads nowhere, from itself; from −1 (no focus
// yet) leads to the first word. −1 when there are no words.
qsizetype stepInCloud(const std::vector<CloudWord> &words, qsizetype from, CloudStep step);
