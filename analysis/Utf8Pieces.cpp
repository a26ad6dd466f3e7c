#include "Utf8Pieces.h"

#include <algorithm>
#include <cstring>
#include <utility>

Utf8Check checkUtf8(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // Eight ASCII bytes at a time: most text is mostly ASCII.
        while (i + 8 <= size) {
            quint64 block;
            std::memcpy(&block, data + i, 8);
            if (block & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i == size)
            break;
        const unsigned char lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        qsizetype length = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return {i, false};
        }
        // The bytes there are must fit, whether or not the sequence is complete.
        const qsizetype present = std::min(length, size - i);
        if (present > 1 && (data[i + 1] < low || data[i + 1] > high))
            return {i, false};
        for (qsizetype k = 2; k < present; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return {i, false};
        }
        if (present < length)
            return {i, true};
        i += length;
    }
    return {size, false};
}

void Utf8Pieces::reserveForBytes(qint64 bytes)
{
    // No sequence gives more UTF-16 code units than it has bytes.
    m_text.reserve(qsizetype(bytes));
}

bool Utf8Pieces::add(QByteArrayView piece)
{
    if (m_badOffset >= 0)
        return false;
    if (!addToPending(piece))
        return false;
    if (!m_pending.isEmpty()) // the piece was too short to complete it
        return true;
    const Utf8Check check = checkUtf8(piece);
    if (check.wellFormed < piece.size() && !check.cutShort) {
        m_badOffset = m_offset + check.wellFormed;
        return false;
    }
    decode(piece.first(check.wellFormed));
    m_pending = piece.sliced(check.wellFormed).toByteArray();
    return true;
}

bool Utf8Pieces::finish()
{
    if (m_badOffset < 0 && !m_pending.isEmpty())
        m_badOffset = m_offset;
    return m_badOffset < 0;
}

// Completes a sequence the last piece cut with the first bytes of piece, which it
// takes off piece.
bool Utf8Pieces::addToPending(QByteArrayView &piece)
{
    while (!m_pending.isEmpty() && !piece.isEmpty()) {
        m_pending.append(piece.front());
        piece = piece.sliced(1);
        const Utf8Check check = checkUtf8(m_pending);
        if (check.wellFormed == m_pending.size()) {
            decode(std::exchange(m_pending, {}));
        } else if (!check.cutShort) {
            m_badOffset = m_offset;
            return false;
        }
    }
    return true;
}

void Utf8Pieces::decode(QByteArrayView wholeSequences)
{
    const qint64 start = m_offset;
    m_offset += wholeSequences.size();
    if (start == 0 && wholeSequences.startsWith("\xEF\xBB\xBF")) {
        wholeSequences = wholeSequences.sliced(3);
        m_bytesBeforeText = 3;
    }
    const qsizetype filled = m_text.size();
    m_text.resize(filled + wholeSequences.size());
    const QChar *end = m_decoder.appendToBuffer(m_text.data() + filled, wholeSequences);
    m_text.resize(end - m_text.constData());
}
