#include "FileSaving.h"

#include <QFileInfo>
#include <QObject>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

std::optional<QString> saveWholeFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile replaces what a symlink points to: never a device or a FIFO, which
    // would be gone for every program (/dev/null replaced by a picture, for root).
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QObject::tr("it is not a regular file");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // Through the descriptor: QFile takes a short write (a full disk, a size limit) for
    // success, and has no reason to give for it.
    const char *next = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(file.handle(), next, size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            const int error = count < 0 ? errno : EIO;
            file.cancelWriting();
            return QString::fromLocal8Bit(std::strerror(error));
        }
        next += count;
        left -= count;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
