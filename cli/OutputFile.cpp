#include "OutputFile.h"

#include "StandardStreams.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The reason, or nothing when every byte was written.
std::optional<QString> writeAll(int descriptor, const QByteArray &bytes)
{
    const char *next = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t count = write(descriptor, next, left);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return StandardStreams::reason(count < 0 ? errno : EIO);
        next += count;
        left -= size_t(count);
    }
    return std::nullopt;
}

QString failure(const QString &path, const QString &reason)
{
    return u"%1: cannot be written (%2)"_s.arg(path, reason);
}

bool isStandardOutput(const struct stat &file)
{
    struct stat output;
    return !StandardStreams::isClosed(STDOUT_FILENO) && fstat(STDOUT_FILENO, &output) == 0 &&
           output.st_dev == file.st_dev && output.st_ino == file.st_ino;
}

std::optional<QString> writeInPlace(const QByteArray &bytes, const QString &path, int extraFlags)
{
    // O_TRUNC does nothing to FIFOs and terminals; it empties a file a dangling
    // symlink makes.
    const int descriptor = open(QFile::encodeName(path).constData(),
                                O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC | extraFlags, 0666);
    if (descriptor < 0)
        return failure(path, StandardStreams::reason(errno));
    std::optional<QString> problem = writeAll(descriptor, bytes);
    if (close(descriptor) != 0 && !problem)
        problem = StandardStreams::reason(errno);
    if (problem)
        return failure(path, *problem);
    return std::nullopt;
}

// A new file beside target, named after it, that no one else has opened.
int createTemporaryBeside(const QByteArray &target, QByteArray *temporary)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    // Short enough for the suffix to fit the longest name a folder takes.
    const QByteArray name = target.mid(slash + 1).left(200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = folder + '.' + name + '.' +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        // 0666 less the umask, as any new file gets.
        const int descriptor =
            open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// existing: the file being replaced, if there is one.
std::optional<QString> replaceWhole(const QByteArray &bytes, const QString &path,
                                    const QByteArray &target, const struct stat *existing)
{
    QByteArray temporary;
    const int descriptor = createTemporaryBeside(target, &temporary);
    if (descriptor < 0)
        return failure(path, u"no temporary file can be made beside it: %1"_s.arg(
                                 StandardStreams::reason(errno)));
    std::optional<QString> problem = writeAll(descriptor, bytes);
    if (!problem && existing && fchmod(descriptor, existing->st_mode & 07777) != 0)
        problem = StandardStreams::reason(errno);
    // EINVAL: the file system cannot sync, which is all it can do.
    if (!problem && fsync(descriptor) != 0 && errno != EINVAL)
        problem = StandardStreams::reason(errno);
    if (close(descriptor) != 0 && !problem)
        problem = StandardStreams::reason(errno);
    if (!problem && std::rename(temporary.constData(), target.constData()) != 0)
        problem = StandardStreams::reason(errno);
    if (problem) {
        unlink(temporary.constData());
        return failure(path, *problem);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> writeOutputFile(const QByteArray &bytes, const QString &path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat file;
    if (stat(nativePath.constData(), &file) == 0) {
        if (isStandardOutput(file)) {
            if (const std::optional<QString> problem = StandardStreams::writeStandardOutput(bytes))
                return failure(path, *problem);
            return std::nullopt;
        }
        if (!S_ISREG(file.st_mode))
            return writeInPlace(bytes, path, 0);
        // Through a symlink, the file it points to is replaced and the link stays.
        char resolved[PATH_MAX];
        if (!realpath(nativePath.constData(), resolved))
            return failure(path, StandardStreams::reason(errno));
        return replaceWhole(bytes, path, QByteArray(resolved), &file);
    }
    if (errno != ENOENT)
        return failure(path, StandardStreams::reason(errno));
    struct stat link;
    if (lstat(nativePath.constData(), &link) == 0) // a dangling symlink: make its file
        return writeInPlace(bytes, path, O_CREAT);
    return replaceWhole(bytes, path, nativePath, nullptr);
}
