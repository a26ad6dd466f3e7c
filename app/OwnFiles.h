#pragma once

#include "TextFile.h"

#include <QString>
#include <optional>
#include <stop_token>

// The files the app reads on its own, not because the user opened them: the settings
// and the own list of words to leave out. They are read like texts, but only as regular
// files and small ones, so that a FIFO, a device or a link to one, or a huge file put
// in their place, can neither hold nor flood the app.
inline constexpr qint64 largestOwnFileBytes = 1000 * 1000;

// What is wrong with the file at path for one of those, or nothing (also when there is
// no file). Looks at the file without opening it.
std::optional<QString> ownFileProblem(const QString &path);

// Reads the file at path as UTF-8, or says what is wrong, in one line naming it.
TextFile readOwnFile(const QString &path, std::stop_token stop = {});
