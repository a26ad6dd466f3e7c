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
    CommandIndexes::addOptions(commandLine);
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

std::shared_ptr<const VerbariumTree> commandTree(const CommandLine &commandLine,
                                                 CommandIndexes &indexes)
{
    const TextPath::Index index =
        commandLine.isSet(u"before"_s) ? TextPath::Index::WordsBefore : TextPath::Index::WordsAfter;
    const std::optional<CommandText> text =
        followCommandText(indexes.indexPath(commandLine.inputPath(), index));
    if (!text)
        return nullptr;
    return growTree(text->index, startWords(commandLine));
}
