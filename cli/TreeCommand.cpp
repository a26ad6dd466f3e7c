#include "CommandInput.h"
#include "CommandLine.h"
#include "Commands.h"
#include "FileParser.h"
#include "JsonWriter.h"
#include "LowerCase.h"
#include "TreeText.h"

#include <limits>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Depth first with a list of open nodes, since a branch can be as long as the text.
// Nodes at maxDepth are written with an empty children array.
QByteArray treeAsJson(const Node &root, qint64 maxDepth)
{
    JsonWriter json;
    struct Open
    {
        const Node *node;
        std::size_t nextChild;
    };
    std::vector<Open> open;
    const auto beginNode = [&](const Node &node) {
        json.beginObject();
        json.field(u"word", node.word());
        json.field(u"count", qint64(node.count()));
        json.field(u"countOfLeaves", qint64(node.countOfLeaves()));
        json.key(u"children");
        json.beginArray();
        open.push_back({&node, 0});
    };
    beginNode(root);
    while (!open.empty()) {
        Open &top = open.back();
        const bool belowCut = qint64(open.size()) <= maxDepth;
        if (belowCut && top.nextChild < top.node->children().size()) {
            beginNode(*top.node->children()[top.nextChild++]);
        } else {
            json.endArray();
            json.endObject();
            open.pop_back();
        }
    }
    return json.toUtf8();
}

} // namespace

int treeCommand(const QStringList &arguments)
{
    CommandLine commandLine(
        u"tree"_s, u"tree [FILE|-] --word WORD [--max-depth N] [--output PATH]"_s,
        u"Grows the tree of the word sequences that follow WORD (lower-cased) in the text,\n"
        "sorted and trimmed as the verbarium shows it, and prints it as nested JSON:\n"
        "{\"word\", \"count\", \"countOfLeaves\", \"children\": [...]}, children in sorted order.\n"
        "A word that does not occur gives the root alone. --max-depth cuts only the output:\n"
        "the nodes at the cut keep their counts and are written with empty children."_s);
    commandLine.addOption(QCommandLineOption(u"word"_s, u"The start word."_s, u"WORD"_s));
    commandLine.addOption(QCommandLineOption(
        u"max-depth"_s, u"Print N levels below the root (0: the root alone)."_s, u"N"_s));
    commandLine.addOutputOption();
    if (const auto status = commandLine.parse(arguments))
        return *status;
    if (!commandLine.isSet(u"word"_s))
        return commandLine.badArguments(u"--word is required"_s);
    qint64 maxDepth = std::numeric_limits<qint64>::max();
    if (commandLine.isSet(u"max-depth"_s)) {
        const std::optional<qint64> depth =
            commandLine.wholeNumber(u"max-depth"_s, 0, std::numeric_limits<qint64>::max());
        if (!depth)
            return 2;
        maxDepth = *depth;
    }

    const std::optional<QString> text = readCommandInput(commandLine.inputPath());
    if (!text)
        return 1;
    FileParser parser;
    parser.inputStrings(*text);
    const TreeText treeText(parser.treeText());
    const auto root = treeText.growTree(lowerCased(commandLine.value(u"word"_s)));
    return CommandOutput::writeResult(treeAsJson(*root, maxDepth), commandLine.outputPath()) ? 0
                                                                                             : 1;
}
