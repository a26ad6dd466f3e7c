#pragma once

#include <QByteArray>
#include <optional>

// Where the symlink at path points, a relative target taken from the link's folder;
// nothing when path is no symlink or cannot be read.
std::optional<QByteArray> linkTarget(const QByteArray &path);
