#pragma once

#include <QByteArray>
#include <QString>

// A text read from a file or a stream as UTF-8: the text, or a one-line message that
// names the source and what is wrong with it.
struct TextFile
{
    QString text;
    QString error; // empty on success
};

// Decodes bytes as UTF-8, dropping one leading byte-order mark. Invalid UTF-8 is an
// error naming the byte offset of the first bad sequence; nothing is replaced.
TextFile decodeUtf8(const QByteArray &bytes, const QString &sourceName);

TextFile readUtf8TextFile(const QString &path);

// The offset of the first byte that does not start or continue a well-formed UTF-8
// sequence, or -1 when all of bytes is well-formed.
qsizetype firstInvalidUtf8Offset(const QByteArray &bytes);
