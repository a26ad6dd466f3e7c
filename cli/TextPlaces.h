#pragma once

#include "SpanList.h"
#include "TextFile.h"

#include <QString>
#include <QStringView>
#include <vector>

// Where a place of a command's text stands in the file it was read from.
struct FilePlace
{
    const TextPart *file;
    qint64 line;   // from 1, every line break counted and CRLF as one
    qint64 offset; // in bytes of the file, a byte-order mark included
};

// Finds the file, line and byte offset of any place of a text read from one source or
// a corpus: checkpoints every so many code units, and the units since the last one
// counted.
class TextPlaces
{
public:
    // sourceName names the text read from one source.
    TextPlaces(const TextFile &file, const QString &sourceName);

    FilePlace placeOf(qsizetype position) const;
    // Where the file holding position stands in the text.
    TextSpan fileSpanOf(qsizetype position) const;

private:
    static constexpr qsizetype checkpointDistance = 256;

    struct Counts
    {
        qint64 bytes = 0;
        qint64 lineBreaks = 0;
    };

    const TextPart &fileOf(qsizetype position) const;
    Counts countsBefore(qsizetype position) const;
    Counts countsOf(qsizetype begin, qsizetype end) const;

    QStringView m_text;
    std::vector<TextPart> m_files;
    std::vector<Counts> m_checkpoints;
};
