#pragma once

#include "CountedSet.h"
#include "WordDictionary.h"

#include <QList>
#include <QStringView>
#include <stop_token>

class TokenSequence;

// The words of a text, its maximal runs of letters, counted from its tokens: a word
// never crosses a token's edge, so each distinct token is read once and its words are
// counted as often as the token occurs. They come in the order of their first
// occurrence in the text, as counting the tree text itself gives them. A word that is a
// whole token shares the token's string. Throws WorkStopped once stop is requested.
CountedSet wordsOfTokens(const TokenSequence &tokens, std::stop_token stop = {});

// Whether word is one of token's maximal runs of letters: one of the words the cloud
// counts in it ("x" in "x86").
bool holdsWord(QStringView token, QStringView word);

// The words the cloud counts in token, its maximal runs of letters, in order.
QList<QStringView> wordsInToken(QStringView token);

// The word-to-count dictionary the cloud shows, from the same words.
WordDictionary cloudWordsOfTokens(const TokenSequence &tokens, std::stop_token stop = {});
