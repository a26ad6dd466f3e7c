#include "TreeJson.h"

#include "JsonWriter.h"
#include "VerbariumLayout.h"
#include "VerbariumTree.h"

#include <vector>

namespace {

// How many nodes are written before the text so far goes out, so that memory does not
// grow with the output.
constexpr int nodesPerPiece = 4096;

} // namespace

std::optional<QString> writeTreeAsJson(JsonWriter &json, const VerbariumTree &tree, qint64 maxDepth,
                                       const TreePieceDone &pieceDone)
{
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
        if (nodesInPiece == nodesPerPiece && pieceDone) {
            nodesInPiece = 0;
            if (auto problem = pieceDone())
                return problem;
        }
    }
    return std::nullopt;
}
