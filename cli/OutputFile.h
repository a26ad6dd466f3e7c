#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Writes bytes to the file at path, or returns one line naming the path and the
// system's reason why it could not. Nothing is left behind on failure.
//
// - A regular file, or a path where nothing is yet, is replaced whole: the bytes go to
//   a temporary file beside it, flushed to the disk, then renamed over it, so a reader
//   finds the old content or the new, never a part. A symlink to a regular file keeps
//   pointing to it; the file's permissions are kept.
// - Anything else (a FIFO, a device, a terminal, a symlink to one) is opened and written
//   in place, never replaced or removed.
// - The file standard output already writes to (/dev/stdout, say) is written through
//   standard output, at its current offset.
std::optional<QString> writeOutputFile(const QByteArray &bytes, const QString &path);
