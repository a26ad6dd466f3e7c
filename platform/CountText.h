#pragma once

#include <QString>

// The words every number about a word or a node is said in, so that the cloud, the
// verbarium, the screen reader's names and the contexts say the same thing the same way.

// How often a word or a word sequence occurs in the text: "1 time", "7,035 times".
QString timesText(qint64 times);

// A node of the verbarium: how often its sequence occurs, then how many branches (its
// leaves, as the tree keeps them) lie below it: "7,035 times · 4,900 branches".
QString timesAndBranchesText(qint64 times, qint64 branches);

// The same for a screen reader, after the word: "lord, 7,035 times, 4,900 branches".
QString spokenTimesAndBranches(const QString &word, qint64 times, qint64 branches);

// How often a sequence occurs in a corpus and in how many of its files: "7,035 times in
// 39 of 66 files"; for a text of one file, timesText alone.
QString timesInFilesText(qint64 times, qint64 filesHolding, qint64 files);

// A node of a corpus's verbarium: "7,035 times in 39 of 66 files · 4,900 branches".
QString timesInFilesAndBranchesText(qint64 times, qint64 filesHolding, qint64 files,
                                    qint64 branches);
