#pragma once

#include <QString>
#include <QStringList>

// The words a typed start asks for. Several words (whitespace between them) are cut into
// tokens and lower-cased as the text is, so "The Lord's" asks for "the", "lord", "'",
// "s". Anything else is one word, lower-cased as typed: with a space around it, it is
// no token of any text and finds nothing.
QStringList startPhraseOf(const QString &typed);
// The tokens of a typed text, cut and lower-cased as the text's are.
QStringList typedTokens(const QString &typed);
