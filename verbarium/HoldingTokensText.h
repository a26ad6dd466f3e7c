#pragma once

#include "TokensHoldingWord.h"

// How a reader is told of the tokens that hold a word: "x86 (2 times)", "x86 (2 times)
// and x64 (1 time)", or the first three and how many others.
QString holdingTokensText(const QList<HoldingToken> &tokens);

// A token as shown: characters that show nothing (joiners, controls) named by their
// code, "foo⟨U+200D⟩bar", so that a token never looks like the word it holds.
QString visibleToken(const QString &token);
