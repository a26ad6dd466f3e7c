#pragma once

#include <QtGlobal>
#include <vector>

class Node;
struct TokenSequence;

// Grows the tree of the root word's followers. Instead of running the walks one
// after another, it moves all of them one token down per round: the walks that
// stand at the same node are a group, and reading the next token splits a group
// by token in order of first occurrence, the order in which the walks, run one
// by one, would have created the children. A node that only one walk passes
// becomes a chain that the node makes when asked (see Node::children), and a
// node's children beyond the 30 that sorting keeps are never made.
class TreeGrower
{
public:
    // Both must outlive the grower.
    TreeGrower(const TokenSequence &tokens, Node &root);

    // Starts a walk after every occurrence of the root's word and runs them all to their end.
    void parseTextForward();

private:
    struct Group
    {
        Node *node; // non-owning: the tree owns it
        std::size_t begin;
        std::size_t end; // the group's walk positions in m_positions
    };

    // Extends every walk of the group by one token.
    void nextNode(const Group &group);
    void continueWalks(Node &node, const std::vector<quint32> &positions, std::size_t begin,
                       std::size_t end, std::vector<Group> &groups);

    const TokenSequence &m_tokens;
    Node &m_root;
    // Each walk is the position of the next token it reads; the groups of this
    // round read from m_positions and the next round's are built in m_nextPositions.
    std::vector<quint32> m_positions;
    std::vector<quint32> m_nextPositions;
    std::vector<Group> m_groups;
    std::vector<Group> m_nextGroups;
    // Scratch for splitting one group: slot of each token id (-1 when unseen), and per slot
    // the token id, how many walks read it and where its walks go in m_nextPositions.
    std::vector<qint32> m_slotOfId;
    std::vector<quint32> m_slotIds;
    std::vector<quint32> m_slotCounts;
    std::vector<std::size_t> m_slotBegin;
    std::vector<std::size_t> m_slotFill;
    std::vector<quint32> m_slotOrder;
};
