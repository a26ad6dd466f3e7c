#pragma once

#include "SpanList.h"
#include "TextFile.h"

#include <QString>
#include <span>
#include <stop_token>
#include <vector>

// Where a place of a text stands in the file it was read from.
struct FilePlace
{
    const TextPart *file;
    qint64 line;   // from 1, every line break counted and CRLF as one
    qint64 offset; // in bytes of the file, a byte-order mark included
};

// Finds the file, line and byte offset of any place of a text read from one source or
// a corpus: checkpoints every so many code units, and the units since the last one
// counted. Immutable once made, so shared between threads; it shares the text's data.
class TextPlaces
{
public:
    // sourceName names the text read from one source. Throws WorkStopped once stop is
    // requested.
    TextPlaces(const TextFile &file, const QString &sourceName, std::stop_token stop = {});

    FilePlace placeOf(qsizetype position) const;
    // Where the file holding position stands in the text.
    TextSpan fileSpanOf(qsizetype position) const;
    // The files in text order: one for a text from one source.
    std::span<const TextPart> files() const { return m_files; }

private:
    static constexpr qsizetype checkpointDistance = 256;

    // Eight bytes a checkpoint: a text's bytes and lines stay below 2^32 (largestTextBytes),
    // and a difference within a file would stay right even past it.
    struct Counts
    {
        quint32 bytes = 0;
        quint32 lineBreaks = 0;
    };

    const TextPart &fileOf(qsizetype position) const;
    Counts countsBefore(qsizetype position) const;
    Counts countsOf(qsizetype begin, qsizetype end) const;

    QString m_text;
    std::vector<TextPart> m_files;
    std::vector<Counts> m_checkpoints;
};
