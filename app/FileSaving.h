#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Writes bytes to the file at path whole, or leaves the file as it was: through a
// temporary file beside it that takes its name once every byte is on the disk. A
// symlink keeps pointing to its file; a path that is, or points to, anything but a
// regular file is refused. Returns the reason when that fails ("No space left on
// device", "File too large").
std::optional<QString> saveWholeFile(const QString &path, const QByteArray &bytes);
