#pragma once

#include "TextFile.h"

#include <QString>
#include <optional>
#include <span>
#include <vector>

class TokenSequence;

// Where a sequence falls across a corpus: its files in their order, one after another,
// and the place of each occurrence. Places and lengths count tokens, as the index
// numbers them: an occurrence's place is then the index's own number, with no look-up
// in the text, and a file's length is what it holds to read rather than its spacing or
// markup.
struct Dispersion
{
    struct File
    {
        QString name;
        quint32 start;  // its first token, in the whole corpus
        quint32 length; // its tokens
        quint32 count;  // the occurrences in it
        bool operator==(const File &) const = default;
    };
    std::vector<File> files;
    // The first token of each occurrence in the whole corpus, ascending.
    std::vector<quint32> positions;
    quint32 length = 0; // the corpus's tokens
};

// The dispersion of the occurrences whose first tokens (ascending, in text order, as
// occurrencesOf gives them) are firsts, in the corpus whose files stand in the text of
// tokens where files say.
Dispersion dispersionOf(const TokenSequence &tokens, std::span<const TextPart> files,
                        std::vector<quint32> firsts);

// The columns, of columns across the whole corpus, that hold at least one occurrence:
// ascending, each once, so that a million occurrences are drawn as at most columns ticks.
std::vector<quint32> tickColumns(const Dispersion &dispersion, quint32 columns);

// The first occurrence (its place among positions) drawn on column of columns, or
// failing that on the nearest column at most reach away, the left one first; none
// when no occurrence is drawn that near.
std::optional<std::size_t> occurrenceNearColumn(const Dispersion &dispersion, quint32 column,
                                                quint32 columns, quint32 reach);
