#include "FileAttributes.h"

#include <QList>
#include <cerrno>
#include <optional>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Calls list or get (as llistxattr and lgetxattr are called) until the buffer holds
// the whole answer; nothing on failure. Where the file system has no extended
// attributes, there are none.
template<typename Query> std::optional<QByteArray> queryAttributes(const Query &query)
{
    for (;;) {
        const ssize_t size = query(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
        QByteArray buffer(size, Qt::Uninitialized);
        const ssize_t filled = query(buffer.data(), size_t(size));
        if (filled >= 0)
            return buffer.first(filled);
        if (errno != ERANGE) // ERANGE: it grew in between
            return std::nullopt;
    }
}

std::optional<QList<QByteArray>> namesIn(const std::optional<QByteArray> &list)
{
    if (!list)
        return std::nullopt;
    QList<QByteArray> names = list->split('\0');
    names.removeAll(QByteArray());
    return names;
}

bool carryOwner(const struct stat &old, int descriptor)
{
    struct stat now;
    if (fstat(descriptor, &now) != 0)
        return false;
    return (now.st_uid == old.st_uid && now.st_gid == old.st_gid) ||
           fchown(descriptor, old.st_uid, old.st_gid) == 0;
}

bool carryExtendedAttributes(const QByteArray &path, int descriptor)
{
    const auto oldNames = namesIn(queryAttributes(
        [&path](char *buffer, size_t size) { return llistxattr(path.constData(), buffer, size); }));
    const auto newNames = namesIn(queryAttributes(
        [descriptor](char *buffer, size_t size) { return flistxattr(descriptor, buffer, size); }));
    if (!oldNames || !newNames)
        return false;
    // A folder's default access list gives a new file one of its own.
    for (const QByteArray &name : *newNames) {
        if (!oldNames->contains(name) && fremovexattr(descriptor, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : *oldNames) {
        const std::optional<QByteArray> value =
            queryAttributes([&path, &name](char *buffer, size_t size) {
                return lgetxattr(path.constData(), name.constData(), buffer, size);
            });
        if (!value || fsetxattr(descriptor, name.constData(), value->constData(),
                                size_t(value->size()), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

bool carryFileAttributes(const QByteArray &path, const struct stat &old, int descriptor)
{
    // The owner first: a change of owner clears setuid and setgid, and the access list
    // before the permission bits, which set its mask.
    if (!carryOwner(old, descriptor) || !carryExtendedAttributes(path, descriptor) ||
        fchmod(descriptor, old.st_mode & 07777) != 0)
        return false;
    // The system may quietly drop setgid (for a group the process is not in).
    struct stat now;
    return fstat(descriptor, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid &&
           (now.st_mode & 07777) == (old.st_mode & 07777);
}
