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

// Whether the argument names the process's standard input: "-" as an input (when dashToo),
// or one of the system's names for it. One stream cannot be read twice.
bool namesStandardInput(const QString &path, bool dashToo = true);
