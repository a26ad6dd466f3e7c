#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CommandIndexes;
class CommandLine;
class VerbariumTree;

// --word WORD (a word, or a phrase of several), --before (the words that come before
// it rather than those that follow), and the index cache's options.
void addTreeOptions(CommandLine &commandLine);

// The exit status for a --word that is missing or holds no word (whitespace alone).
std::optional<int> checkStartWord(const CommandLine &commandLine);
// The tokens --word asks for, cut and lower-cased as the text's are.
QStringList startWords(const CommandLine &commandLine);

// The tree those options ask for, grown from the index of the input's text, read or
// kept with indexes; none, after reporting why, when the text cannot be read.
std::shared_ptr<const VerbariumTree> commandTree(const CommandLine &commandLine,
                                                 CommandIndexes &indexes);
