#include "CommandTree.h"

#include "CommandIndexes.h"
#include "CommandInput.h"
#include "CommandLine.h"
#include "StartPhrase.h"
#include "TreeGrowth.h"

using namespace Qt::Literals::StringLiterals;

void addTreeOptions(CommandLine &commandLine)
{
    commandLine.addOption(QCommandLineOption(
        u"word"_s,
        u"The start word, or a phrase of several words, cut into words and lower-cased as "
        "the text is."_s,
        u"WORD"_s));
    commandLine.addOption(QCommandLineOption(
        u"before"_s,
        u"The words that come before WORD, read backwards from it, instead of those after."_s));
    commandLine.addOption(QCommandLineOption(
        u"preceded-by"_s,
        u"The words after WORD where the words P stand before it: the tree of \"P WORD\"."_s,
        u"P"_s));
    commandLine.addOption(QCommandLineOption(
        u"followed-by"_s,
        u"The words before WORD where the words P follow it: the tree of \"WORD P\" "
        "--before."_s,
        u"P"_s));
    CommandIndexes::addOptions(commandLine);
}

void addSequenceOptions(CommandLine &commandLine)
{
    commandLine.addOption(
        QCommandLineOption(u"word"_s, u"The start word, or a phrase."_s, u"WORD"_s));
    commandLine.addOption(QCommandLineOption(
        u"path"_s, u"The words below the start, as a click down the tree reaches them."_s,
        u"WORDS"_s));
    CommandIndexes::addOptions(commandLine);
}

QStringList sequenceWords(const CommandLine &commandLine)
{
    QStringList sequence = startWords(commandLine);
    if (commandLine.isSet(u"path"_s))
        sequence += typedTokens(commandLine.value(u"path"_s));
    return sequence;
}

std::optional<int> checkTreeStart(const CommandLine &commandLine)
{
    if (const auto status = checkStartWord(commandLine))
        return status;
    const bool precededBy = commandLine.isSet(u"preceded-by"_s);
    const bool followedBy = commandLine.isSet(u"followed-by"_s);
    if (precededBy && followedBy)
        return commandLine.badArguments(
            u"--preceded-by and --followed-by grow opposite sides: give one"_s);
    if (precededBy && commandLine.isSet(u"before"_s))
        return commandLine.badArguments(
            u"--preceded-by grows the words after WORD: it cannot go with --before"_s);
    for (const QString &option : {u"preceded-by"_s, u"followed-by"_s})
        if (commandLine.isSet(option) && typedTokens(commandLine.value(option)).isEmpty())
            return commandLine.badArguments(u"--%1 holds no word"_s.arg(option));
    return std::nullopt;
}

std::optional<int> checkStartWord(const CommandLine &commandLine)
{
    if (!commandLine.isSet(u"word"_s))
        return commandLine.badArguments(u"--word is required"_s);
    if (startWords(commandLine).isEmpty())
        return commandLine.badArguments(u"--word holds no word"_s);
    return std::nullopt;
}

QStringList startWords(const CommandLine &commandLine)
{
    return typedTokens(commandLine.value(u"word"_s));
}

bool growsBefore(const CommandLine &commandLine)
{
    return commandLine.isSet(u"before"_s) || commandLine.isSet(u"followed-by"_s);
}

namespace {

// The start and, a word on the other side making a phrase with it, that word in the
// text's order.
QStringList treeStartWords(const CommandLine &commandLine)
{
    QStringList words = startWords(commandLine);
    if (commandLine.isSet(u"preceded-by"_s))
        words = typedTokens(commandLine.value(u"preceded-by"_s)) + words;
    if (commandLine.isSet(u"followed-by"_s))
        words += typedTokens(commandLine.value(u"followed-by"_s));
    return words;
}

// The tree on one side of the start, from the text the path gives.
std::shared_ptr<const VerbariumTree> treeAlong(const TextPath &path, const CommandLine &commandLine)
{
    const std::optional<CommandText> text = followCommandText(path);
    if (!text)
        return nullptr;
    return growTree(text->index, treeStartWords(commandLine));
}

TextPath::Index indexOfSide(bool before)
{
    return before ? TextPath::Index::WordsBefore : TextPath::Index::WordsAfter;
}

} // namespace

std::shared_ptr<const VerbariumTree> commandTree(const CommandLine &commandLine,
                                                 CommandIndexes &indexes)
{
    return treeAlong(
        indexes.indexPath(commandLine.inputSources(), indexOfSide(growsBefore(commandLine))),
        commandLine);
}

std::optional<BothTrees> bothCommandTrees(const CommandLine &commandLine, CommandIndexes &indexes)
{
    // Read once for both sides: standard input cannot be read twice.
    const TextFile source = readCommandSources(commandLine.inputSources());
    const auto pathTo = [&](bool before) {
        TextPath path = indexes.indexPath(commandLine.inputSources(), indexOfSide(before));
        path.read = [&source](std::stop_token) { return source; };
        return path;
    };
    auto after = treeAlong(pathTo(false), commandLine);
    if (!after)
        return std::nullopt;
    // The words before come from the text's own index when the cache holds it.
    return BothTrees{treeAlong(pathTo(true), commandLine), std::move(after)};
}
