#pragma once

#include "TokenSequence.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <stop_token>
#include <vector>

// One occurrence in its context, taken from the text as the user gave it: the text
// before the occurrence, the occurrence as it stands there, and the text after, each
// with its line breaks and tabs shown as spaces.
struct ContextLine
{
    QString left;
    QString match;
    QString right;
};

// Where a run of length tokens from the token at first stands in the text.
TextSpan spanOfRun(const TokenSequence &tokens, quint32 first, quint32 length);

// The line of that run, with up to width code units of context on either side (never
// half a character), and none from outside its file (the span of the corpus's text
// that holds it).
ContextLine contextLine(QStringView text, const TokenSequence &tokens, quint32 first,
                        quint32 length, qsizetype width,
                        std::optional<TextSpan> file = std::nullopt);

enum class ContextOrder {
    Text,      // as the runs stand in the text
    Following, // alphabetically by the words after the run, then as in the text
    Preceding, // alphabetically by the words before it, read from it backwards
};

// Sorts runs of length tokens, given by their first tokens, in order; the words after
// or before a run are read within its file. Throws WorkStopped
// once stop is requested.
void sortRuns(std::vector<quint32> &firsts, quint32 length, const TokenSequence &tokens,
              ContextOrder order, std::stop_token stop = {});
