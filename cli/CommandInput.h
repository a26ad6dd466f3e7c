#pragma once

#include "TextFile.h"
#include "TextPath.h"

#include <QString>
#include <memory>
#include <optional>

struct TextAnalysis;
class TextIndex;

// Reads the text a command works on: the file at path, or standard input for "-",
// as UTF-8 without its first byte-order mark. A failure (a read error included) is a
// message naming the source and the problem.
TextFile readCommandSource(const QString &path);

// The way of the text at path, read as readCommandSource reads it: counted, not indexed.
TextPath commandTextPath(const QString &path);

// What a command takes of its text.
struct CommandText
{
    TextFile file; // the text read, when asked to be kept
    std::shared_ptr<const TextAnalysis> analysis;
    std::shared_ptr<const TextIndex> index;
};

// Takes a command's text along path. When it cannot be read, it reports one line naming
// the source and the problem on standard error and returns nothing.
std::optional<CommandText> followCommandText(const TextPath &path, bool keepText = false);

// Whether the argument names the process's standard input: "-" as an input (when dashToo),
// or one of the system's names for it. One stream cannot be read twice.
bool namesStandardInput(const QString &path, bool dashToo = true);
