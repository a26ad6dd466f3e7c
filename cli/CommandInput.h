#pragma once

#include "TextFile.h"

#include <QString>
#include <optional>

// Reads the text a command works on: the file at path, or standard input for "-",
// as UTF-8 without its first byte-order mark. On failure (a read error included) it
// reports one line naming the source and the problem on standard error and returns
// nothing.
std::optional<QString> readCommandInput(const QString &path);
// The same, with where the text starts in the source (after a byte-order mark).
std::optional<TextFile> readCommandText(const QString &path);
