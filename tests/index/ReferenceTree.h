#pragma once

#include "LiteralNode.h"
#include "VerbariumTree.h"

#include <QString>
#include <QStringList>
#include <memory>

// Sets every run of punctuation apart from the text around it: each scan appends the
// text piece, a space, the punctuation piece and a space.
QString makeSpaces(QStringView text);
// The text that trees grow from, made literally: makeSpaces, then lower-cased again.
QString preparedText(QStringView treeText);
// Its tokens, read one by one with a scanner.
QStringList preparedTokens(const QString &preparedText);

// The tree grown the slow, literal way: one scanner over the prepared text, one walk
// per occurrence, one node per token read, then sorted. The index-grown trees must be
// the same.
std::unique_ptr<LiteralNode> referenceTree(const QString &preparedText, const QString &word);
// The same before sorting: every child, in order of first occurrence, none trimmed.
std::unique_ptr<LiteralNode> unsortedReferenceTree(const QString &preparedText, const QString &word);

// A subtree as text, each word with its count: "a:1[b:2[.:1 c:1] d:1]".
QString printedTree(const LiteralNode &node);
QString printedTree(const VerbariumTree &tree, Node node);

// Empty when the trees are alike in words, counts, leaf counts and the order of
// children; otherwise where they first differ.
QString differenceBetween(const LiteralNode &expected, const VerbariumTree &actual);
