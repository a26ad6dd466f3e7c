#include "CommandIndexes.h"
#include "CommandLine.h"
#include "CommandTree.h"
#include "Commands.h"
#include "JsonWriter.h"
#include "OutputFile.h"
#include "VerbariumLayout.h"

#include <limits>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// How many nodes are written before the text so far goes out, so that memory does not
// grow with the output.
constexpr int nodesPerPiece = 4096;

// Depth first with a list of open nodes, since a branch can be as deep as the text.
// Nodes at maxDepth are written with an empty children array. A run of single
// followers is written as the picture draws it: its 1000th node, when it goes on,
// is written with the number of nodes left out below it instead of its children.
// Returns the problem when the output cannot take it.
std::optional<QString> writeTreeAsJson(const VerbariumTree &tree, qint64 maxDepth,
                                       OutputFile &output)
{
    JsonWriter json;
    int nodesInPiece = 0;
    struct Open
    {
        Node node;
        quint32 nextChild;
        quint32 runLength; // how many only children lead here from a branching
    };
    std::vector<Open> open;
    const auto beginNode = [&](Node node, quint32 runLength) {
        ++nodesInPiece;
        json.beginObject();
        json.field(u"word", tree.word(node));
        json.field(u"count", qint64(tree.count(node)));
        json.field(u"occurrences", qint64(tree.occurrences(node)));
        json.field(u"countOfLeaves", qint64(tree.countOfLeaves(node)));
        if (tree.continuations(node) > tree.childCount(node))
            json.field(u"continuations", qint64(tree.continuations(node)));
        if (runLength == VerbariumLayout::longestRun && tree.childCount(node) == 1) {
            json.field(u"truncated", qint64(tree.descendantCount(node)));
            json.endObject();
            return;
        }
        json.key(u"children");
        json.beginArray();
        open.push_back({node, 0, runLength});
    };
    beginNode(tree.root(), 0);
    while (!open.empty()) {
        Open &top = open.back();
        const bool belowCut = qint64(open.size()) <= maxDepth;
        const quint32 children = tree.childCount(top.node);
        if (belowCut && top.nextChild < children) {
            const Node child = tree.child(top.node, top.nextChild++);
            beginNode(child, children == 1 ? top.runLength + 1 : 0);
        } else {
            json.endArray();
            json.endObject();
            open.pop_back();
        }
        if (nodesInPiece == nodesPerPiece) {
            nodesInPiece = 0;
            if (auto problem = output.write(json.takeWrittenUtf8()))
                return problem;
        }
    }
    return output.write(json.toUtf8());
}

} // namespace

int treeCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"tree"_s, u"tree [FILE|-] --word WORD [--before] [--max-depth N] [--output PATH]"_s,
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
        "is; --before grows the tree of the words that come before it.\n"
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
    if (const auto status = checkStartWord(commandLine))
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
        return writeTreeAsJson(*tree, maxDepth, output);
    });
}
