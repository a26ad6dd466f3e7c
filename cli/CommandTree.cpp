#include "CommandTree.h"

#include "CommandIndexes.h"
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

std::shared_ptr<const VerbariumTree> commandTree(QString text, const CommandLine &commandLine,
                                                 CommandIndexes &indexes)
{
    return growTree(indexes.indexOf(std::move(text), commandLine.isSet(u"before"_s)),
                    startWords(commandLine));
}
