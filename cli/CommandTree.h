#pragma once

#include <QString>
#include <memory>

class CommandIndexes;
class CommandLine;
class VerbariumTree;

// --word WORD (a word, or a phrase of several), --before (the words that come before
// it rather than those that follow), and the index cache's options.
void addTreeOptions(CommandLine &commandLine);

// The tree those options ask for, grown from text's index from indexes.
std::shared_ptr<const VerbariumTree> commandTree(QString text, const CommandLine &commandLine,
                                                 CommandIndexes &indexes);
