#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// How much of a run of bytes is well-formed UTF-8.
struct Utf8Check
{
    // The length of the longest prefix made of whole, well-formed sequences.
    qsizetype wellFormed = 0;
    // Whether the bytes after that prefix are the start of a sequence that more bytes
    // could complete (at most 3 of them), rather than a bad sequence.
    bool cutShort = false;
};
Utf8Check checkUtf8(QByteArrayView bytes);

// Decodes UTF-8 that arrives in pieces (as a file is read) into one string, checking
// each piece as it comes: a bad sequence is found as soon as its piece arrives, and
// nothing is held but the text and a sequence cut by a piece's end. One leading
// byte-order mark is dropped; a later one is content.
class Utf8Pieces
{
public:
    // Room for a text of that many bytes, so that the string is not moved as it grows.
    void reserveForBytes(qint64 bytes);
    // False once the bytes so far are not well-formed: badOffset() says where.
    bool add(QByteArrayView piece);
    // The end of the bytes: false when they end inside a sequence.
    bool finish();

    // The offset, from the first byte, of the first bad sequence; -1 while there is none.
    qint64 badOffset() const { return m_badOffset; }
    qint64 bytesAdded() const { return m_offset + m_pending.size(); }
    QString takeText() { return std::move(m_text); }
    // The bytes before the text's first character: the dropped byte-order mark's.
    qint64 bytesBeforeText() const { return m_bytesBeforeText; }

private:
    void decode(QByteArrayView wholeSequences);
    bool addToPending(QByteArrayView &piece);

    QString m_text;
    // The start of a sequence that the next piece completes (at most 3 bytes).
    QByteArray m_pending;
    qint64 m_offset = 0; // of the first byte not yet decoded
    qint64 m_badOffset = -1;
    qint64 m_bytesBeforeText = 0;
    // Keeps U+FEFF: the leading mark is dropped by offset instead, once.
    QStringDecoder m_decoder{QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom};
};
