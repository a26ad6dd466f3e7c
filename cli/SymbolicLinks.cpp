#include "SymbolicLinks.h"

#include <climits>
#include <unistd.h>

std::optional<QByteArray> linkTarget(const QByteArray &path)
{
    char target[PATH_MAX];
    const ssize_t length = readlink(path.constData(), target, sizeof target);
    if (length <= 0)
        return std::nullopt;
    const QByteArray next(target, length);
    return next.startsWith('/') ? next : path.left(path.lastIndexOf('/') + 1) + next;
}
