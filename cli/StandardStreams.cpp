#include "StandardStreams.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
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

Input readStandardInput()
{
    if (isClosed(STDIN_FILENO))
        return {{}, u"it is closed"_s};
    Input input;
    constexpr qsizetype chunk = 1 << 16;
    for (;;) {
        const qsizetype filled = input.bytes.size();
        input.bytes.resize(filled + chunk);
        const ssize_t count = read(STDIN_FILENO, input.bytes.data() + filled, size_t(chunk));
        input.bytes.resize(filled + std::max<qsizetype>(count, 0));
        if (count == 0)
            return input;
        if (count < 0 && errno != EINTR)
            return {{}, reason(errno)};
    }
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
