#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class JsonWriter;
class VerbariumTree;

// Called when a piece of the tree is written, so that the caller can send it out; returns
// the problem when the output cannot take it.
using TreePieceDone = std::function<std::optional<QString>()>;

// Depth first with a list of open nodes, since a branch can be as deep as the text.
// Nodes at maxDepth are written with an empty children array. A run of single
// followers is written as the picture draws it: its 1000th node, when it goes on,
// is written with the number of nodes left out below it instead of its children.
// pieceDone (if any) is called every few thousand nodes; the first problem it returns
// ends the writing and is returned.
std::optional<QString> writeTreeAsJson(JsonWriter &json, const VerbariumTree &tree, qint64 maxDepth,
                                       const TreePieceDone &pieceDone = {});
