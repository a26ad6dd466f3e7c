#include "StandardStreams.h"

#include "SymbolicLinks.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace StandardStreams {

namespace {

std::array<bool, 3> closedAtStart{};

} // namespace

void guardClosedStreams()
{
    for (int descriptor = 0; descriptor < 3; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        closedAtStart[size_t(descriptor)] = true;
        // open() takes the lowest free descriptor, which is this one.
        open("/dev/null", O_RDWR);
    }
}

bool isClosed(int descriptor)
{
    return descriptor >= 0 && descriptor < 3 && closedAtStart[size_t(descriptor)];
}

std::optional<int> streamNamedBy(const QByteArray &path)
{
    const QByteArray ownDescriptors = "/proc/" + QByteArray::number(getpid()) + "/fd";
    QByteArray current = path;
    // As many links as the system follows.
    for (int link = 0; link < 40; ++link) {
        const qsizetype slash = current.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? "."_ba : current.left(std::max<qsizetype>(slash, 1));
        char resolved[PATH_MAX];
        if (realpath(folder.constData(), resolved) && ownDescriptors == resolved) {
            const QByteArray name = current.mid(slash + 1);
            if (name.size() == 1 && name[0] >= '0' && name[0] <= '2')
                return name[0] - '0';
            return std::nullopt;
        }
        const std::optional<QByteArray> next = linkTarget(current);
        if (!next)
            return std::nullopt;
        current = *next;
    }
    return std::nullopt;
}

std::optional<QString> writeStandardOutput(const QByteArray &bytes)
{
    if (isClosed(STDOUT_FILENO))
        return u"it is closed"_s;
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (std::fflush(stdout) != 0 || written != size_t(bytes.size()))
        return reason(errno != 0 ? errno : EIO);
    return std::nullopt;
}

std::optional<QString> closeStandardOutput()
{
    if (std::fclose(stdout) != 0 && !isClosed(STDOUT_FILENO))
        return reason(errno);
    return std::nullopt;
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace StandardStreams
