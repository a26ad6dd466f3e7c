#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CommandLine;
class VerbariumTree;

// --word WORD (a word, or a phrase of several) and --before (the words that come before
// it rather than those that follow).
void addTreeOptions(CommandLine &commandLine);

// The exit status for a --word that is missing or holds no word (whitespace alone).
std::optional<int> checkStartWord(const CommandLine &commandLine);
// The tokens --word asks for, cut and lower-cased as the text's are.
QStringList startWords(const CommandLine &commandLine);

// The tree those options ask for, grown from text.
std::shared_ptr<const VerbariumTree> commandTree(const QString &text,
                                                 const CommandLine &commandLine);
