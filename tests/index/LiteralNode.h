#pragma once

#include <QString>
#include <memory>
#include <vector>

class VerbariumTree;

// A tree node made the literal way, one per token read: the yardstick the index-grown
// trees are held to, and the way tests state trees by hand.
class LiteralNode
{
public:
    explicit LiteralNode(const QString &word)
        : m_word(word)
    {}
    ~LiteralNode();
    LiteralNode(const LiteralNode &) = delete;
    LiteralNode &operator=(const LiteralNode &) = delete;

    LiteralNode &addChild(const QString &word);
    void incCount() { ++m_count; }
    // Sorts every node's children by descending count (equal counts keep their order),
    // keeps at most 30 of them and counts the leaves. Runs once per tree.
    void sortArrays();

    const QString &word() const { return m_word; }
    const std::vector<std::unique_ptr<LiteralNode>> &children() const { return m_children; }
    quint32 count() const { return m_count; }
    quint32 countOfLeaves() const { return m_countOfLeaves; }
    bool hasPointAsParent() const { return m_hasPointAsParent; }
    void setHasPointAsParent() { m_hasPointAsParent = true; }

private:
    std::vector<std::unique_ptr<LiteralNode>> m_children;
    QString m_word;
    quint32 m_count = 1;
    quint32 m_countOfLeaves = 0;
    bool m_hasPointAsParent = false;
};

// The same tree as an immutable verbarium tree, one segment per node.
std::shared_ptr<const VerbariumTree> verbariumTreeOf(const LiteralNode &root);
