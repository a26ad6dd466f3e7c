#include "LiteralNode.h"

#include "TokenSequence.h"
#include "VerbariumTree.h"

#include <algorithm>

// Walks can be as deep as the text: take the subtree apart with a work list.
LiteralNode::~LiteralNode()
{
    std::vector<std::unique_ptr<LiteralNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<LiteralNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto &child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

LiteralNode &LiteralNode::addChild(const QString &word)
{
    return *m_children.emplace_back(std::make_unique<LiteralNode>(word));
}

void LiteralNode::sortArrays()
{
    std::vector<LiteralNode *> preorder{this};
    for (std::size_t index = 0; index < preorder.size(); ++index) {
        auto &children = preorder[index]->m_children;
        std::stable_sort(children.begin(), children.end(),
                         [](const auto &a, const auto &b) { return a->m_count > b->m_count; });
        if (children.size() > 30)
            children.resize(30);
        for (const auto &child : children)
            preorder.push_back(child.get());
    }
    for (auto node = preorder.rbegin(); node != preorder.rend(); ++node) {
        (*node)->m_countOfLeaves = (*node)->m_children.empty() ? 1 : 0;
        for (const auto &child : (*node)->m_children)
            (*node)->m_countOfLeaves += child->m_countOfLeaves;
    }
}

std::shared_ptr<const VerbariumTree> verbariumTreeOf(const LiteralNode &root)
{
    auto tokens = std::make_shared<TokenSequence>();
    std::vector<VerbariumTree::Segment> segments(1);
    std::vector<const LiteralNode *> nodes{&root};
    // Breadth first, so that every node's children are consecutive segments.
    for (std::size_t index = 0; index < nodes.size(); ++index) {
        const LiteralNode &node = *nodes[index];
        segments[index].count = node.count();
        segments[index].firstChild = quint32(segments.size());
        segments[index].childCount = quint32(node.children().size());
        for (const auto &child : node.children()) {
            VerbariumTree::Segment segment;
            segment.firstToken = tokens->size();
            segment.parent = quint32(index);
            tokens->append(child->word(), {});
            segments.push_back(segment);
            nodes.push_back(child.get());
        }
    }
    return std::make_shared<const VerbariumTree>(root.word(), QStringList{root.word()}, 1,
                                                 std::move(tokens), std::move(segments));
}
