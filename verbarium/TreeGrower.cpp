#include "TreeGrower.h"

#include "Node.h"
#include "TokenSequence.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr std::size_t maximumChildren = 30;
constexpr std::size_t notKept = std::size_t(-1);

} // namespace

TreeGrower::TreeGrower(const TokenSequence &tokens, Node &root)
    : m_tokens(tokens)
    , m_root(root)
    , m_slotOfId(tokens.words.size(), -1)
{}

void TreeGrower::parseTextForward()
{
    const auto rootId = m_tokens.idOf(m_root.word());
    if (!rootId)
        return;
    // Reading resumes right after each occurrence, so walks overlap freely.
    for (quint32 position = 0; position + 1 < m_tokens.size(); ++position) {
        if (m_tokens.ids[position] == *rootId)
            m_positions.push_back(position + 1);
    }
    continueWalks(m_root, m_positions, 0, m_positions.size(), m_groups);
    while (!m_groups.empty()) {
        for (const Group &group : m_groups)
            nextNode(group);
        std::swap(m_positions, m_nextPositions);
        std::swap(m_groups, m_nextGroups);
        m_nextPositions.clear();
        m_nextGroups.clear();
    }
}

// Walks at node: none leave it a leaf, one makes it a chain, more go on in the next round.
void TreeGrower::continueWalks(Node &node, const std::vector<quint32> &positions, std::size_t begin,
                               std::size_t end, std::vector<Group> &groups)
{
    if (end - begin == 1) {
        node.m_chainTokens = &m_tokens;
        node.m_chainPosition = positions[begin];
    } else if (end - begin > 1) {
        groups.push_back({&node, begin, end});
    }
}

void TreeGrower::nextNode(const Group &group)
{
    Node &parent = *group.node;
    m_slotIds.clear();
    m_slotCounts.clear();
    for (std::size_t walk = group.begin; walk < group.end; ++walk) {
        const quint32 id = m_tokens.ids[m_positions[walk]];
        if (m_slotOfId[id] < 0) {
            m_slotOfId[id] = qint32(m_slotIds.size());
            m_slotIds.push_back(id);
            m_slotCounts.push_back(0);
        }
        ++m_slotCounts[std::size_t(m_slotOfId[id])];
    }

    // Sorting after the tree is grown would put the children in this order and drop
    // the rest; doing it now spares growing the dropped ones.
    m_slotOrder.resize(m_slotIds.size());
    std::iota(m_slotOrder.begin(), m_slotOrder.end(), 0u);
    std::stable_sort(m_slotOrder.begin(), m_slotOrder.end(),
                     [&](quint32 a, quint32 b) { return m_slotCounts[a] > m_slotCounts[b]; });
    if (m_slotOrder.size() > maximumChildren)
        m_slotOrder.resize(maximumChildren);

    m_slotBegin.assign(m_slotIds.size(), notKept);
    std::size_t next = m_nextPositions.size();
    for (const quint32 slot : m_slotOrder) {
        m_slotBegin[slot] = next;
        next += m_slotCounts[slot];
    }
    m_nextPositions.resize(next);
    m_slotFill = m_slotBegin;
    const quint32 tokenCount = m_tokens.size();
    for (std::size_t walk = group.begin; walk < group.end; ++walk) {
        const quint32 position = m_positions[walk];
        const auto slot = std::size_t(m_slotOfId[m_tokens.ids[position]]);
        // A walk whose token was the text's last one ends here.
        if (m_slotFill[slot] != notKept && position + 1 < tokenCount)
            m_nextPositions[m_slotFill[slot]++] = position + 1;
    }
    for (const quint32 id : m_slotIds)
        m_slotOfId[id] = -1;

    const bool parentMarked = parent.hasPointAsParent();
    const auto parentKind = m_tokens.kindAt(m_positions[group.begin] - 1);
    for (const quint32 slot : m_slotOrder) {
        const quint32 id = m_slotIds[slot];
        auto child = std::make_unique<Node>(m_tokens.words[id]);
        child->m_count = m_slotCounts[slot];
        Node &node = *child;
        parent.addChild(std::move(child));
        const auto kind = m_tokens.kinds[id];
        // The mark is set by a walk that goes on from the new node; all of them agree.
        if (WalkRules::stopsAfter(parentMarked, kind) || m_slotFill[slot] == m_slotBegin[slot])
            continue;
        node.m_hasPointAsParent = WalkRules::marksChild(parentMarked, parentKind, kind);
        continueWalks(node, m_nextPositions, m_slotBegin[slot], m_slotFill[slot], m_nextGroups);
    }
}
