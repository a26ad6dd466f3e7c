#pragma once

#include "TextFile.h"
#include "TextPath.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct TextAnalysis;
class TextIndex;

// Reads the text a command works on: the file at path, or standard input for "-",
// as UTF-8 without its first byte-order mark. A failure (a read error included) is a
// message naming the source and the problem.
TextFile readCommandSource(const QString &path);

// The text of a command's sources: the one source as readCommandSource reads it, or
// several files and folders as a corpus (standard input cannot be one of them).
TextFile readCommandSources(const QStringList &sources);

// The files of a command's text: the corpus's, or the one source as given.
std::vector<TextPart> commandFiles(const TextFile &file, const QStringList &sources);

// The way of the text of sources, read as readCommandSources reads it: counted, not
// indexed.
TextPath commandTextPath(const QStringList &sources);

// What a command takes of its text.
struct CommandText
{
    TextFile file; // the text read when asked to be kept, else its files alone
    std::optional<TokenSequence> tokens; // when asked to be kept
    std::shared_ptr<const TextAnalysis> analysis;
    std::shared_ptr<const TextIndex> index;
};

// What a command keeps of the text read besides its files, analysis and index.
enum class KeptOfText { Files, Text, Tokens };

// Takes a command's text along path. It reports one line on standard error for each file
// of a corpus left out, naming it and the problem, and when the text cannot be read at
// all, one more and returns nothing.
std::optional<CommandText> followCommandText(const TextPath &path,
                                             KeptOfText kept = KeptOfText::Files);

// Whether the argument names the process's standard input: "-" as an input (when dashToo),
// or one of the system's names for it. One stream cannot be read twice.
bool namesStandardInput(const QString &path, bool dashToo = true);
