#pragma once

#include <QString>
#include <optional>

// Reads the text a command works on: the file at path, or standard input for "-",
// as UTF-8 without a leading byte-order mark. On failure it reports one line naming
// the source and the problem on standard error and returns nothing.
std::optional<QString> readCommandInput(const QString &path);
