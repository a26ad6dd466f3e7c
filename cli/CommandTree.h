#pragma once

#include <QString>
#include <memory>

class CommandLine;
class VerbariumTree;

// --word WORD (a word, or a phrase of several) and --before (the words that come before
// it rather than those that follow).
void addTreeOptions(CommandLine &commandLine);

// The tree those options ask for, grown from text.
std::shared_ptr<const VerbariumTree> commandTree(const QString &text,
                                                 const CommandLine &commandLine);
