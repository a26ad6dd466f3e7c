#pragma once

#include <QStringList>
#include <stop_token>
#include <vector>

class TextIndex;

// The places in the text that a sequence of words stands for: each a run of length
// tokens, given by the position of its first token in text order.
struct Occurrences
{
    std::vector<quint32> firsts; // ascending
    quint32 length = 0;
    // How many of the walks that read the sequence end with it: a sentence end or the
    // end of the text; the others go on to a follower.
    quint32 endedHere = 0;
};

// Where the walks start that read the sequence whole: its occurrences from whose first
// word the sentence-end rules let a walk run to its last. For the sequence down to a
// node of a tree grown from index (VerbariumTree::sequenceTo), exactly the walks that
// the node counts; for the root alone, every occurrence of its word or phrase.
//
// An index of the reversed tokens (the words before) reads its sequences backwards; the
// occurrences come as forward runs all the same. Throws WorkStopped once stop is
// requested.
Occurrences occurrencesOf(const TextIndex &index, const QStringList &sequence,
                          std::stop_token stop = {});

// How many files of a corpus hold the occurrences occurrencesOf finds, without listing
// them: once every file holding tokens is seen, the rest are not looked at. A single text
// is one file.
quint32 filesHolding(const TextIndex &index, const QStringList &sequence);

// Sorts positions in ascending order, in two passes over 16-bit halves: a million and
// more of them sort in a few milliseconds.
void sortPositions(std::vector<quint32> &positions);
