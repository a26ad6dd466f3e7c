#pragma once

#include "Node.h"

#include <QString>
#include <memory>

// The tree grown the slow, literal way: one scanner over the prepared text, one walk
// per occurrence, one node per token read. The fast builder must give the same trees.
std::unique_ptr<Node> referenceTree(const QString &preparedText, const QString &word);

// A node and its subtree as text, each word with its count: "a:1[b:2[.:1 c:1] d:1]".
QString printedTree(const Node &node);

// Empty when the trees are alike in words, counts, leaf counts and marks;
// otherwise where they first differ.
QString differenceBetween(const Node &expected, const Node &actual);
