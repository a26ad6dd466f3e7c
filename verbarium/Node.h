#pragma once

#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

struct TokenSequence;

// One word of a verbarium tree: a token that follows the word sequence from the
// root down to its parent, with how often that sequence occurs in the text.
// A node owns its children; parent is a back link.
class Node
{
public:
    explicit Node(const QString &word);
    ~Node();
    Node(const Node &) = delete;
    Node &operator=(const Node &) = delete;

    // Does nothing for an empty pointer; otherwise appends the child and becomes its parent.
    void addChild(std::unique_ptr<Node> child);
    void incCount();
    // Adds one on this node and on every ancestor up to the root.
    void incCountOfLeaves();
    // Sorts every node's children by descending count (equal counts keep their
    // order), keeps at most 30 of them and counts the leaves. Runs once per tree.
    void sortArrays();
    // The subtree's words, depth first, separated by single spaces.
    QString description() const;

    const QString &word() const { return m_word; }
    const std::vector<std::unique_ptr<Node>> &children() const;
    Node *parent() const { return m_parent; }
    quint32 count() const { return m_count; }
    quint32 countOfLeaves() const { return m_countOfLeaves; }
    bool hasPointAsParent() const { return m_hasPointAsParent; }
    void setHasPointAsParent(bool hasPointAsParent) { m_hasPointAsParent = hasPointAsParent; }
    QPointF pos() const { return m_pos; }
    void setPos(QPointF pos) { m_pos = pos; }

private:
    friend class TreeGrower;

    // A node that only one walk passes through has, below it, a single path of nodes
    // with count 1. That path is kept as a position in the token sequence and is made
    // into nodes one at a time when someone asks for the children.
    void materialiseChain() const;

    mutable std::vector<std::unique_ptr<Node>> m_children;
    mutable const TokenSequence *m_chainTokens = nullptr; // non-owning: the tree's owner keeps it
    mutable quint32 m_chainPosition = 0;                  // the next token of the single walk
    Node *m_parent = nullptr;                             // non-owning: the parent owns this node
    QString m_word;
    quint32 m_count = 1;
    quint32 m_countOfLeaves = 0;
    bool m_hasPointAsParent = false;
    QPointF m_pos;
};

// Orders nodes by descending count: -1 when a's count is greater, 0 when equal, +1 when smaller.
int sortByCount(const Node &a, const Node &b, void *context);
