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
        const ssize_t count = ::write(descriptor, next, left);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return StandardStreams::reason(count < 0 ? errno : EIO);
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
            ::open(temporary->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
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
    struct stat file;
    if (stat(nativePath.constData(), &file) == 0) {
        if (isStandardOutput(file))
            return std::nullopt;
        if (!S_ISREG(file.st_mode))
            return openInPlace(0);
        // Through a symlink, the file it points to is replaced and the link stays.
        char resolved[PATH_MAX];
        if (!realpath(nativePath.constData(), resolved))
            return failure(StandardStreams::reason(errno));
        return openReplacing(QByteArray(resolved), file.st_mode & 07777);
    }
    if (errno != ENOENT)
        return failure(StandardStreams::reason(errno));
    struct stat link;
    if (lstat(nativePath.constData(), &link) == 0) // a dangling symlink: make its file
        return openInPlace(O_CREAT);
    return openReplacing(nativePath, std::nullopt);
}

std::optional<QString> OutputFile::openInPlace(int extraFlags)
{
    m_kind = Kind::InPlace;
    // O_TRUNC does nothing to FIFOs and terminals; it empties a file a dangling
    // symlink makes.
    m_descriptor = ::open(QFile::encodeName(m_path).constData(),
                          O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC | extraFlags, 0666);
    if (m_descriptor < 0)
        return failure(StandardStreams::reason(errno));
    return std::nullopt;
}

std::optional<QString> OutputFile::openReplacing(const QByteArray &target,
                                                 std::optional<unsigned> mode)
{
    m_kind = Kind::Replacing;
    m_target = target;
    m_keptMode = mode;
    m_descriptor = createTemporaryBeside(target, &m_temporary);
    if (m_descriptor < 0)
        return failure(
            u"no temporary file can be made beside it: %1"_s.arg(StandardStreams::reason(errno)));
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
    return std::nullopt;
}

std::optional<QString> OutputFile::commit()
{
    if (m_kind == Kind::StandardOutput)
        return std::nullopt;
    std::optional<QString> problem;
    if (m_kind == Kind::Replacing) {
        if (m_keptMode && fchmod(m_descriptor, *m_keptMode) != 0)
            problem = StandardStreams::reason(errno);
        // EINVAL: the file system cannot sync, which is all it can do.
        if (!problem && fsync(m_descriptor) != 0 && errno != EINVAL)
            problem = StandardStreams::reason(errno);
    }
    if (close(m_descriptor) != 0 && !problem)
        problem = StandardStreams::reason(errno);
    m_descriptor = -1;
    if (!problem && m_kind == Kind::Replacing &&
        std::rename(m_temporary.constData(), m_target.constData()) != 0)
        problem = StandardStreams::reason(errno);
    if (problem) {
        discard();
        return failure(*problem);
    }
    m_temporary.clear();
    return std::nullopt;
}

void OutputFile::discard()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporary.isEmpty())
        unlink(m_temporary.constData());
    m_temporary.clear();
}

std::optional<QString> writeOutputFile(const QByteArray &bytes, const QString &path)
{
    OutputFile file(path);
    if (auto problem = file.open())
        return problem;
    if (auto problem = file.write(bytes))
        return problem;
    return file.commit();
}
