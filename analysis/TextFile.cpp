#include "TextFile.h"

#include "Utf8Pieces.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype pieceBytes = qsizetype(1) << 20;
// How long a wait for data lasts before a stop request is looked at again.
constexpr int waitSliceMilliseconds = 50;

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotBeRead(const QString &name, int error)
{
    return u"%1: cannot be read (%2)"_s.arg(name, reason(error));
}

QString tooLarge(const QString &name, qint64 largestBytes)
{
    return u"%1: is larger than the %2 MB Verbarium reads"_s.arg(name).arg(largestBytes / 1000000);
}

QString notUtf8(const QString &name, qint64 offset)
{
    return u"%1: not valid UTF-8 (first bad byte sequence at byte offset %2)"_s.arg(name).arg(
        offset);
}

// Waits in short slices until the descriptor has data, or its end or an error, to
// read. False when stopped first; errno is 0 then.
bool waitForData(int descriptor, const std::stop_token &stop)
{
    pollfd wanted{descriptor, POLLIN, 0};
    while (!stop.stop_requested()) {
        const int ready = poll(&wanted, 1, waitSliceMilliseconds);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR && errno != EAGAIN)
            return false;
    }
    errno = 0;
    return false;
}

TextFile readPieces(int descriptor, const QString &name, qint64 largestBytes,
                    const std::stop_token &stop)
{
    Utf8Pieces text;
    struct stat file;
    qint64 expectedBytes = 0; // of a regular file: what it held when the read began
    if (fstat(descriptor, &file) == 0 && S_ISREG(file.st_mode)) {
        const off_t offset = lseek(descriptor, 0, SEEK_CUR);
        expectedBytes = qint64(file.st_size) - qint64(std::max<off_t>(offset, 0));
        if (expectedBytes > largestBytes)
            return {{}, tooLarge(name, largestBytes)};
        text.reserveForBytes(expectedBytes);
    }
    QByteArray piece(pieceBytes, Qt::Uninitialized);
    for (;;) {
        // A FIFO without a writer yet reads as ended: only a ready one is read.
        if (!waitForData(descriptor, stop)) {
            if (errno == 0)
                return {{}, u"%1: reading was stopped"_s.arg(name)};
            return {{}, cannotBeRead(name, errno)};
        }
        const ssize_t count = read(descriptor, piece.data(), size_t(piece.size()));
        if (count < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return {{}, cannotBeRead(name, errno)};
        }
        if (count == 0)
            break;
        if (!text.add(QByteArrayView(piece).first(count)))
            return {{}, notUtf8(name, text.badOffset())};
        if (text.bytesAdded() > largestBytes)
            return {{}, tooLarge(name, largestBytes)};
    }
    // Cut short by another program while it was read: what came is not the text
    // (and may end inside a character).
    if (text.bytesAdded() < expectedBytes)
        return {{},
                u"%1: was cut short while it was read (%2 of its %3 bytes came)"_s.arg(name)
                    .arg(text.bytesAdded())
                    .arg(expectedBytes)};
    if (!text.finish())
        return {{}, notUtf8(name, text.badOffset())};
    return {text.takeText(), {}, text.bytesBeforeText()};
}

} // namespace

TextFile readUtf8Descriptor(int descriptor, const QString &name, qint64 largestBytes,
                            std::stop_token stop)
{
    try {
        return readPieces(descriptor, name, largestBytes, stop);
    } catch (const std::bad_alloc &) {
        return {{}, u"not enough memory to read %1"_s.arg(name)};
    }
}

TextFile readUtf8TextFile(const QString &path, std::stop_token stop)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, u"%1: no such file"_s.arg(path)};
    if (info.isDir())
        return {{}, u"%1: is a directory, not a text file"_s.arg(path)};
    // Without O_NONBLOCK, opening a FIFO waits for a writer and cannot be stopped.
    const int descriptor =
        open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return {{}, cannotBeRead(path, errno)};
    TextFile result = readUtf8Descriptor(descriptor, path, largestTextBytes, std::move(stop));
    close(descriptor);
    return result;
}

TextFile readUtf8StandardInput(std::stop_token stop)
{
    return readUtf8Descriptor(STDIN_FILENO, u"standard input"_s, largestTextBytes, std::move(stop));
}

TextFile decodeUtf8(QByteArrayView bytes, const QString &sourceName)
{
    Utf8Pieces text;
    text.reserveForBytes(bytes.size());
    if (!text.add(bytes) || !text.finish())
        return {{}, notUtf8(sourceName, text.badOffset())};
    return {text.takeText(), {}, text.bytesBeforeText()};
}
