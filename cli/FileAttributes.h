#pragma once

#include <QByteArray>
#include <sys/stat.h>

// Gives a new file, open at descriptor and made to replace the file at path (whose
// status is old), what that file has besides its content: its owner and group, its
// extended attributes (its access control list among them) and its permission bits,
// setuid, setgid and sticky included. The new file ends up with no extended attribute
// the old one lacks. False when any of it cannot be given or does not come out the
// same: then the new file must not take the old one's place.
bool carryFileAttributes(const QByteArray &path, const struct stat &old, int descriptor);
