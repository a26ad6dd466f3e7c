#include "CommandIndexes.h"
#include "CommandLine.h"
#include "CommandTree.h"
#include "Commands.h"
#include "JsonWriter.h"
#include "OutputFile.h"
#include "TreeJson.h"

#include <limits>

using namespace Qt::Literals::StringLiterals;

int treeCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"tree"_s,
        u"tree [FILE|DIR...|-] --word WORD [--before] [--preceded-by P | --followed-by P]\n"
        "                  [--max-depth N] [--output PATH]"_s,
        u"Grows the tree of the word sequences that follow WORD in the text (cut into\n"
        "words and lower-cased as the text is, so that \"lord's\" finds \"lord ' s\"),\n"
        "sorted and trimmed as the verbarium shows it, and prints it as nested JSON:\n"
        "{\"word\", \"count\", \"occurrences\", \"countOfLeaves\", \"children\": [...]},\n"
        "children in sorted order. \"occurrences\" is how often the node's whole sequence\n"
        "from the root occurs (the lines `contexts` lists for it); \"count\" is the same but\n"
        "stays 1 for the root; \"countOfLeaves\" is how many branches (leaves) lie below\n"
        "the node, which the picture's bands follow. A node whose children were trimmed to\n"
        "the most frequent 30 also has \"continuations\": M, how many distinct words\n"
        "follow it. WORD may be a phrase of several words, cut into words as the text\n"
        "is; --before grows the tree of the words that come before it. --preceded-by P\n"
        "grows the words after WORD where P stands before it (the tree of \"P WORD\"),\n"
        "--followed-by P the words before WORD where P follows it (\"WORD P\" --before).\n"
        "A word that does not occur gives the root alone. --max-depth cuts only the output:\n"
        "the nodes at the cut keep their counts and are written with empty children.\n"
        "A run of single followers is cut as the picture cuts it: its 1000th node, when it\n"
        "has one follower, is written with \"truncated\": N (the nodes left out below it)\n"
        "instead of \"children\"."_s);
    addTreeOptions(commandLine);
    commandLine.addOption(QCommandLineOption(
        u"max-depth"_s, u"Print N levels below the root (0: the root alone)."_s, u"N"_s));
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;
    std::optional<CommandIndexes> indexes = CommandIndexes::fromOptions(commandLine);
    if (!indexes)
        return 2;
    if (const auto status = checkTreeStart(commandLine))
        return *status;
    qint64 maxDepth = std::numeric_limits<qint64>::max();
    if (commandLine.isSet(u"max-depth"_s)) {
        const std::optional<qint64> depth =
            commandLine.wholeNumber(u"max-depth"_s, 0, std::numeric_limits<qint64>::max());
        if (!depth)
            return 2;
        maxDepth = *depth;
    }

    // The text goes once it is read into tokens: the index needs the room.
    const auto tree = commandTree(commandLine, *indexes);
    if (!tree)
        return 1;
    return CommandOutput::writeResultInPieces(commandLine.outputPath(), [&](OutputFile &output) {
        JsonWriter json;
        if (auto problem = writeTreeAsJson(json, *tree, maxDepth, [&output, &json] {
                return output.write(json.takeWrittenUtf8());
            }))
            return problem;
        return output.write(json.toUtf8());
    });
}
