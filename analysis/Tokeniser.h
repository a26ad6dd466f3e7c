#pragma once

#include "TokenSequence.h"

#include <QStringView>
#include <span>
#include <stop_token>

// The tokens trees grow from, read in one pass from a text as the user gave it: the
// tree text (lower-cased, lines joined, a line-end hyphen joining the next line) with
// every run of punctuation set apart, lower-cased again and cut at whitespace. No tree
// text is made on the way, and each token keeps where it starts in the given text. A
// tree text given again gives the tokens it gave. A long text's two halves are read on
// two threads.
//
// Throws WorkStopped once stop is requested, TooManyTokens past what the index can
// number, and std::length_error for a text of 2^32 code units or more.
TokenSequence tokenise(QStringView text, std::stop_token stop = {});

// The tokens of a corpus read as one text, each file's stretch of it on its own: no token
// and no line-end hyphen join runs from one file into the next, and the tokens note
// where each file begins. Fewer than two files: as a single text.
TokenSequence tokenise(QStringView text, std::span<const TextSpan> files,
                       std::stop_token stop = {});
