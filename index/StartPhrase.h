#pragma once

#include <QString>
#include <QStringList>

// The tokens of a typed text, cut and lower-cased as the text's are, so that a start
// typed or copied from the text finds what the text holds: "The LORD'S" asks for "the",
// "lord", "'", "s", and a space around a word is no part of it. No tokens for a text of
// whitespace alone.
QStringList typedTokens(const QString &typed);
