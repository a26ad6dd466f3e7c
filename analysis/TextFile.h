#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stop_token>
#include <vector>

// One file of a corpus within the text the corpus is read as.
struct TextPart
{
    QString name;   // as given, or its folder as given and the path below it
    quint32 start;  // where its text begins, in code units of the whole text
    quint32 length; // in code units
    // Bytes of the file before its text (a byte-order mark).
    qint64 bytesBeforeText = 0;
};

// A text read from a file or a stream as UTF-8: the text, or a one-line message that
// names the source and what is wrong with it.
struct TextFile
{
    QString text;
    QString error; // empty on success
    // Bytes of the source before the text's first character (a byte-order mark): the
    // text's offsets in bytes of the source are its UTF-8 offsets plus these.
    qint64 bytesBeforeText = 0;
    // A corpus: its files' texts joined, each starting on a line of its own, in the
    // order read. Empty for a text from one source.
    std::vector<TextPart> parts = {};
    // The files of a corpus left out, each a message naming it and why.
    QStringList leftOut = {};
};

// The largest text read, in bytes. What a text costs grows with its tokens: the
// verbarium's compact index takes under 12 bytes a token for both directions (about 7
// for the words after alone, where each token stands in the text included), and
// building it about 14 bytes a token at its peak in the worst case, a token every two
// bytes without sentence ends. Measured on a 24 GB machine: verbarium-cli tree peaks at
// 1.4 GB on 200 MB of one-letter words (some 14 GB at this size), and at 0.42 GB on
// 100 MB of prose; the app holds the text as UTF-16 besides. Where memory is short, an
// index is refused before it is built, as too little memory, rather than the system
// swapping. The tokens (1,000 million at most here) stay below the index's limit of
// 2^31.
inline constexpr qint64 largestTextBytes = 2000LL * 1000 * 1000;

// Reads the file at path as UTF-8, dropping one leading byte-order mark. Every failure
// is a message naming path: a missing file, a directory, a file that cannot be read,
// invalid UTF-8 (with the byte offset of the first bad sequence; nothing is replaced),
// a text over largestTextBytes, a file cut short while it is read, too little memory to
// hold the text, or a stop request.
//
// The file is read in pieces, checked and decoded as they come, so a bad sequence or
// an excess is found before the rest is read and memory holds the text and one piece.
// A regular file over the limit is refused before any of it is read. A FIFO or a
// device is opened without waiting for a writer and read as its data comes, so a stop
// request ends the read within a tenth of a second even while nothing arrives.
TextFile readUtf8TextFile(const QString &path, std::stop_token stop = {});

// The same for what remains of the process's standard input, named "standard input"
// in messages.
TextFile readUtf8StandardInput(std::stop_token stop = {});

// What both do once the source is open: reads descriptor from its offset to its end,
// refusing more than largestBytes. name stands for the source in messages.
TextFile readUtf8Descriptor(int descriptor, const QString &name, qint64 largestBytes,
                            std::stop_token stop = {});

// Decodes bytes already in memory as readUtf8TextFile decodes a file's.
TextFile decodeUtf8(QByteArrayView bytes, const QString &sourceName);
