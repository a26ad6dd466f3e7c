#pragma once

#include "CountedSet.h"

#include <QString>
#include <vector>

// How markedly one text (A) uses a word more or less than another (B), from the words'
// counts and the numbers of words of the two texts.
struct KeywordRow
{
    QString word;
    qsizetype countA = 0;
    qsizetype countB = 0;
    double logLikelihood = 0; // how sure: 6.63 and above is p < 0.01
    double logRatio = 0;      // how much: +1 twice as often in A, -1 twice as often in B
};

// The usual cut-offs of the log-likelihood: p < 0.05, 0.01 (the default) and 0.001.
namespace Significance {
inline constexpr double p05 = 3.84;
inline constexpr double p01 = 6.63;
inline constexpr double p001 = 10.83;
} // namespace Significance

// Log-likelihood G2 of a word counted a times among c words of A and b times among d
// words of B; a term whose count is 0 adds 0.
double logLikelihood(qsizetype a, qsizetype b, qsizetype c, qsizetype d);
// log2 of the ratio of the word's relative frequencies in A and B, a count of 0 taken as
// 0.5 so that a word of one text alone has a finite ratio. c and d are not 0.
double logRatio(qsizetype a, qsizetype b, qsizetype c, qsizetype d);

// Every word of either text, by descending log-likelihood (so the significant words
// come first), then by word. Both texts have words.
std::vector<KeywordRow> compareWordCounts(const CountedSet &a, const CountedSet &b);

// The number of words a counted set was counted from.
qsizetype wordsCounted(const CountedSet &words);
