#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class CommandIndexes;
class CommandLine;
class VerbariumTree;

// --word WORD (a word, or a phrase of several), --before (the words that come before
// it rather than those that follow), --preceded-by and --followed-by (the words on one
// side of it where given words stand on the other), and the index cache's options.
void addTreeOptions(CommandLine &commandLine);

// --word WORD and --path "W2 W3 ...": the node of the tree of the words after WORD that
// clicks down the tree reach, and the index cache's options.
void addSequenceOptions(CommandLine &commandLine);
// The tokens of the sequence from WORD down to that node.
QStringList sequenceWords(const CommandLine &commandLine);

// The exit status for a --word that is missing or holds no word (whitespace alone).
std::optional<int> checkStartWord(const CommandLine &commandLine);
// The same, and for side options that hold no word or contradict each other.
std::optional<int> checkTreeStart(const CommandLine &commandLine);
// Whether the options ask for the words before the start.
bool growsBefore(const CommandLine &commandLine);
// The tokens --word asks for, cut and lower-cased as the text's are.
QStringList startWords(const CommandLine &commandLine);

// The tree those options ask for, grown from the index of the input's text, read or
// kept with indexes; none, after reporting why, when the text cannot be read.
std::shared_ptr<const VerbariumTree> commandTree(const CommandLine &commandLine,
                                                 CommandIndexes &indexes);

// The trees of the words before and after the start, from one reading of the input;
// nothing, after reporting why, when it cannot be read.
struct BothTrees
{
    std::shared_ptr<const VerbariumTree> before;
    std::shared_ptr<const VerbariumTree> after;
};
std::optional<BothTrees> bothCommandTrees(const CommandLine &commandLine, CommandIndexes &indexes);
