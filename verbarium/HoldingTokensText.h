#pragma once

#include "TokensHoldingWord.h"

// How a reader is told of the tokens that hold a word: "x86 (2 times)", "x86 (2 times)
// and x64 (1 time)", or the first three and how many others.
QString holdingTokensText(const QList<HoldingToken> &tokens);

// A token as shown: characters that show nothing (joiners, controls) named by their
// code, "foo⟨U+200D⟩bar", so that a token never looks like the word it holds.
QString visibleToken(const QString &token);

// What is said of a start that never occurs as a whole token: that it does not occur,
// or, where longer tokens hold it, that it occurs only inside them.
QString absentStartMessage(const QString &start, const QList<HoldingToken> &holding);

// The note on a start that occurs inside longer tokens too.
QString alsoInsideNote(const QList<HoldingToken> &holding);
