#include "OutputFile.h"

#include "FileAttributes.h"
#include "SignalCleanup.h"
#include "StandardStreams.h"
#include "SymbolicLinks.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using StandardStreams::reason;

namespace {

// The reason, or nothing when every byte was written.
std::optional<QString> writeAll(int descriptor, const QByteArray &bytes)
{
    const char *next = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t count = ::write(descriptor, next, left);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return reason(count < 0 ? errno : EIO);
        next += count;
        left -= size_t(count);
    }
    return std::nullopt;
}

bool isStandardOutput(const struct stat &file)
{
    struct stat output;
    return !StandardStreams::isClosed(STDOUT_FILENO) && fstat(STDOUT_FILENO, &output) == 0 &&
           output.st_dev == file.st_dev && output.st_ino == file.st_ino;
}

// The folder a path names a file in, ending in '/' (empty for the current folder).
QByteArray folderOf(const QByteArray &path)
{
    return path.left(path.lastIndexOf('/') + 1);
}

// A new file beside target, named after it, that no one else has opened.
int createTemporaryBeside(const QByteArray &target, mode_t mode, QByteArray *temporary)
{
    const QByteArray folder = folderOf(target);
    // Short enough for the suffix to fit the longest name a folder takes.
    const QByteArray name = target.mid(folder.size()).left(200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = folder + '.' + name + '.' +
                     QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        SignalCleanup::removeOnSignal(*temporary);
        // The umask applies, as it does to any new file.
        const int descriptor =
            ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (descriptor >= 0)
            return descriptor;
        SignalCleanup::forget(*temporary);
        if (errno != EEXIST)
            break;
    }
    temporary->clear();
    return -1;
}

// The name at the end of path's chain of symlinks: path itself when it is not a link,
// the missing file when a link dangles. Nothing, with errno set, on a loop.
std::optional<QByteArray> endOfLinks(QByteArray path)
{
    for (int link = 0; link < 40; ++link) { // as many as the system follows
        const std::optional<QByteArray> next = linkTarget(path);
        if (!next)
            return path;
        path = *next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Flushes a rename to the disk. EINVAL: the file system cannot, which is all it can do.
std::optional<QString> syncFolder(const QByteArray &folder)
{
    const int descriptor =
        ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return reason(errno);
    std::optional<QString> problem;
    if (fsync(descriptor) != 0 && errno != EINVAL)
        problem = reason(errno);
    close(descriptor);
    return problem;
}

} // namespace

OutputFile::OutputFile(QString path)
    : m_path(std::move(path))
{}

OutputFile::~OutputFile()
{
    discard();
}

std::optional<QString> OutputFile::failure(const QString &reason) const
{
    return u"%1: cannot be written (%2)"_s.arg(m_path.isEmpty() ? u"standard output"_s : m_path,
                                               reason);
}

std::optional<QString> OutputFile::open()
{
    if (m_path.isEmpty())
        return std::nullopt;
    const QByteArray nativePath = QFile::encodeName(m_path);
    if (const std::optional<int> stream = StandardStreams::streamNamedBy(nativePath)) {
        // The name would open the stand-in that takes a closed stream's place.
        if (StandardStreams::isClosed(*stream))
            return failure(u"it is closed"_s);
        if (*stream == STDOUT_FILENO)
            return std::nullopt;
    }
    struct stat file;
    if (stat(nativePath.constData(), &file) != 0) {
        if (errno != ENOENT)
            return failure(reason(errno));
        const std::optional<QByteArray> target = endOfLinks(nativePath);
        if (!target)
            return failure(reason(errno));
        return openReplacing(*target, nullptr);
    }
    if (isStandardOutput(file))
        return std::nullopt;
    if (!S_ISREG(file.st_mode))
        return openInPlace(nativePath);
    // Through a symlink, the file it points to is replaced and the link stays.
    char resolved[PATH_MAX];
    if (!realpath(nativePath.constData(), resolved))
        return failure(reason(errno));
    if (file.st_nlink > 1)
        return openInPlace(resolved);
    return openReplacing(resolved, &file);
}

std::optional<QString> OutputFile::openInPlace(const QByteArray &path)
{
    m_kind = Kind::InPlace;
    m_descriptor = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (m_descriptor < 0)
        return failure(reason(errno));
    struct stat file;
    if (fstat(m_descriptor, &file) != 0)
        return failure(reason(errno));
    if (!S_ISREG(file.st_mode))
        return std::nullopt; // a FIFO, a device or a terminal takes the bytes as they come
    // Another writer to the same file waits until this one has written and cut the file
    // to its length, so that what is left is one whole result, not a mix of several.
    while (flock(m_descriptor, LOCK_EX) != 0) {
        if (errno != EINTR)
            return failure(u"it cannot be locked: %1"_s.arg(reason(errno)));
    }
    m_inPlaceLength = 0;
    return std::nullopt;
}

std::optional<QString> OutputFile::openReplacing(const QByteArray &target, const struct stat *old)
{
    m_kind = Kind::Replacing;
    m_target = target;
    // Unreadable to others until it has the old file's owner and permissions.
    m_descriptor = createTemporaryBeside(target, old ? 0600 : 0666, &m_temporary);
    if (m_descriptor < 0)
        return failure(u"no temporary file can be made beside it: %1"_s.arg(reason(errno)));
    if (old) {
        if (!carryFileAttributes(target, *old, m_descriptor)) {
            discard();
            return openInPlace(target);
        }
        m_keptMode = old->st_mode & 07777;
    }
    return std::nullopt;
}

std::optional<QString> OutputFile::write(const QByteArray &bytes)
{
    const std::optional<QString> problem = m_kind == Kind::StandardOutput
                                               ? StandardStreams::writeStandardOutput(bytes)
                                               : writeAll(m_descriptor, bytes);
    if (problem) {
        discard();
        return failure(*problem);
    }
    if (m_inPlaceLength)
        *m_inPlaceLength += bytes.size();
    return std::nullopt;
}

std::optional<QString> OutputFile::commit()
{
    if (m_kind == Kind::StandardOutput)
        return std::nullopt;
    if (m_kind == Kind::Replacing)
        return replace();
    // The old content past the new end goes; closing lets the next writer in.
    const bool cut = !m_inPlaceLength || ftruncate(m_descriptor, *m_inPlaceLength) == 0;
    const int cutError = errno;
    const int descriptor = std::exchange(m_descriptor, -1);
    if (close(descriptor) != 0 && cut)
        return failure(reason(errno));
    if (!cut)
        return failure(reason(cutError));
    return std::nullopt;
}

std::optional<QString> OutputFile::replace()
{
    std::optional<QString> problem;
    // Writing clears setuid and setgid: they are given back.
    if (m_keptMode && fchmod(m_descriptor, *m_keptMode) != 0)
        problem = reason(errno);
    // EINVAL: the file system cannot sync, which is all it can do.
    if (!problem && fsync(m_descriptor) != 0 && errno != EINVAL)
        problem = reason(errno);
    if (close(std::exchange(m_descriptor, -1)) != 0 && !problem)
        problem = reason(errno);
    if (!problem && std::rename(m_temporary.constData(), m_target.constData()) != 0)
        problem = reason(errno);
    if (problem) {
        discard();
        return failure(*problem);
    }
    SignalCleanup::forget(m_temporary);
    m_temporary.clear();
    if (const std::optional<QString> folderProblem = syncFolder(folderOf(m_target)))
        return failure(u"its folder cannot be flushed to the disk: %1"_s.arg(*folderProblem));
    return std::nullopt;
}

void OutputFile::discard()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary.isEmpty())
        unlink(m_temporary.constData());
    SignalCleanup::forget(m_temporary);
    m_temporary.clear();
}

bool outputIsTerminal(const QString &path)
{
    if (path.isEmpty())
        return isatty(STDOUT_FILENO);
    const QByteArray nativePath = QFile::encodeName(path);
    if (const std::optional<int> stream = StandardStreams::streamNamedBy(nativePath))
        return !StandardStreams::isClosed(*stream) && isatty(*stream);
    struct stat file;
    if (stat(nativePath.constData(), &file) != 0 || !S_ISCHR(file.st_mode))
        return false;
    // Only the device itself can tell.
    const int descriptor =
        ::open(nativePath.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool terminal = isatty(descriptor);
    close(descriptor);
    return terminal;
}
