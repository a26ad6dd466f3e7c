#include "OwnFiles.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<QString> problemOf(const QString &path, const struct stat &file)
{
    if (!S_ISREG(file.st_mode))
        return u"%1: is not a regular file"_s.arg(path);
    if (file.st_size > largestOwnFileBytes)
        return u"%1: is larger than the %2 MB Verbarium reads of its own files"_s.arg(path).arg(
            largestOwnFileBytes / 1000000);
    return std::nullopt;
}

} // namespace

std::optional<QString> ownFileProblem(const QString &path)
{
    struct stat file;
    if (stat(QFile::encodeName(path).constData(), &file) != 0)
        return std::nullopt;
    return problemOf(path, file);
}

TextFile readOwnFile(const QString &path, std::stop_token stop)
{
    if (const std::optional<QString> problem = ownFileProblem(path))
        return {{}, *problem};
    // Never waits for a device that opening makes wait, should one take its place now.
    const int descriptor =
        open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return {{}, u"%1: no such file"_s.arg(path)};
        return {{},
                u"%1: cannot be read (%2)"_s.arg(path, QString::fromLocal8Bit(strerror(errno)))};
    }
    struct stat file;
    std::optional<QString> problem;
    if (fstat(descriptor, &file) != 0)
        problem = u"%1: cannot be read (%2)"_s.arg(path, QString::fromLocal8Bit(strerror(errno)));
    else
        problem = problemOf(path, file);
    TextFile result =
        problem ? TextFile{{}, *problem}
                : readUtf8Descriptor(descriptor, path, largestOwnFileBytes, std::move(stop));
    close(descriptor);
    return result;
}
