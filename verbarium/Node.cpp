#include "Node.h"

#include "TokenSequence.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr std::size_t maximumChildren = 30;

} // namespace

Node::Node(const QString &word)
    : m_word(word)
{}

// Chains can be as long as the text; taking the subtree apart with a work list
// keeps the destruction off the call stack.
Node::~Node()
{
    std::vector<std::unique_ptr<Node>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<Node> node = std::move(pending.back());
        pending.pop_back();
        for (auto &child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

void Node::addChild(std::unique_ptr<Node> child)
{
    if (!child)
        return;
    child->m_parent = this;
    m_children.push_back(std::move(child));
}

void Node::incCount()
{
    ++m_count;
}

void Node::incCountOfLeaves()
{
    for (Node *node = this; node; node = node->m_parent)
        ++node->m_countOfLeaves;
}

const std::vector<std::unique_ptr<Node>> &Node::children() const
{
    if (m_chainTokens)
        materialiseChain();
    return m_children;
}

void Node::materialiseChain() const
{
    const TokenSequence &tokens = *m_chainTokens;
    const quint32 position = m_chainPosition;
    m_chainTokens = nullptr;

    const quint32 id = tokens.ids[position];
    auto child = std::make_unique<Node>(tokens.words[id]);
    // A chain holds one leaf, so every node on it counts one once the tree is sorted.
    child->m_countOfLeaves = m_countOfLeaves;
    const auto kind = tokens.kinds[id];
    if (!WalkRules::stopsAfter(m_hasPointAsParent, kind) && position + 1 < tokens.size()) {
        // The token before position is this node's own word.
        child->m_hasPointAsParent =
            WalkRules::marksChild(m_hasPointAsParent, tokens.kindAt(position - 1), kind);
        child->m_chainTokens = &tokens;
        child->m_chainPosition = position + 1;
    }
    const_cast<Node *>(this)->addChild(std::move(child));
}

// Works with a list of the nodes in preorder instead of recursion, since a tree
// can be as deep as the text is long. An unmaterialised chain is a leaf here: it
// holds exactly one, and sorting never needs to see its nodes.
void Node::sortArrays()
{
    struct Visit
    {
        Node *node;
        std::size_t parentIndex;
    };
    std::vector<Visit> preorder{{this, 0}};
    for (std::size_t index = 0; index < preorder.size(); ++index) {
        Node *node = preorder[index].node;
        auto &children = node->m_children;
        std::stable_sort(children.begin(), children.end(), [](const auto &a, const auto &b) {
            return sortByCount(*a, *b, nullptr) < 0;
        });
        if (children.size() > maximumChildren)
            children.resize(maximumChildren);
        for (const auto &child : children)
            preorder.push_back({child.get(), index});
    }

    std::vector<quint32> leaves(preorder.size(), 0);
    for (std::size_t index = preorder.size(); index-- > 0;) {
        Node *node = preorder[index].node;
        if (node->m_children.empty())
            leaves[index] += 1;
        node->m_countOfLeaves += leaves[index];
        if (index > 0)
            leaves[preorder[index].parentIndex] += leaves[index];
    }
    // Leaves count for every ancestor up to the root, also above this node.
    for (Node *ancestor = m_parent; ancestor; ancestor = ancestor->m_parent)
        ancestor->m_countOfLeaves += leaves[0];
}

QString Node::description() const
{
    QStringList words;
    std::vector<const Node *> pending{this};
    while (!pending.empty()) {
        const Node *node = pending.back();
        pending.pop_back();
        words.append(node->m_word);
        const auto &children = node->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.push_back(child->get());
    }
    return words.join(u' ');
}

int sortByCount(const Node &a, const Node &b, void *)
{
    if (a.count() > b.count())
        return -1;
    if (a.count() < b.count())
        return 1;
    return 0;
}
