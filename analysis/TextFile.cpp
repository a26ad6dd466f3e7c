#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

qsizetype firstInvalidUtf8Offset(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
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
        int length = 0;
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
            return i;
        }
        if (i + length > size)
            return i;
        if (data[i + 1] < low || data[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return i;
        }
        i += length;
    }
    return -1;
}

TextFile decodeUtf8(const QByteArray &bytes, const QString &sourceName)
{
    const qsizetype bad = firstInvalidUtf8Offset(bytes);
    if (bad >= 0)
        return {{},
                u"%1: not valid UTF-8 (first bad byte sequence at byte offset %2)"_s.arg(sourceName)
                    .arg(bad)};
    const bool hasByteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArrayView body = QByteArrayView(bytes).sliced(hasByteOrderMark ? 3 : 0);
    // Only the first mark is dropped: a second one is content. QString::fromUtf8 would
    // drop it as well, so the decoder is told to keep it.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return {decoder.decode(body), {}};
}

TextFile readUtf8TextFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, u"%1: no such file"_s.arg(path)};
    if (info.isDir())
        return {{}, u"%1: is a directory, not a text file"_s.arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, u"%1: cannot be read (%2)"_s.arg(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, u"%1: cannot be read (%2)"_s.arg(path, file.errorString())};
    return decodeUtf8(bytes, path);
}
