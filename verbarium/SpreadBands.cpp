#include "SpreadBands.h"

#include "VerbariumLayout.h"

#include <algorithm>

SpreadBands::SpreadBands(const VerbariumTree &tree, Node start, float maxCount,
                         const TextMeasurer &measurer)
    : m_tree(tree)
    , m_measurer(measurer)
    , m_maxCount(maxCount)
{
    m_needs[keyOf(start)] = measure(start, heightOf(start, VerbariumLayout::baseFontSize), 0);
}

float SpreadBands::need(Node node) const
{
    return m_needs.at(keyOf(node));
}

float SpreadBands::bandOf(Node child, Node parent, float parentBand) const
{
    // A single follower continues its parent's line, in its parent's band.
    if (m_tree.childCount(parent) == 1)
        return parentBand;
    const float spare = parentBand - m_followersNeed.at(keyOf(parent));
    return need(child) +
           spare * float(m_tree.countOfLeaves(child)) / float(m_tree.countOfLeaves(parent));
}

float SpreadBands::measure(Node node, float nodeHeight, unsigned depth)
{
    const TreeLine line = lineAfter(m_tree, node, depth);
    float lineHeight = nodeHeight;
    for (const Node word : line.run)
        lineHeight =
            std::max(lineHeight, heightOf(word, followerFontSize(m_tree, word, m_maxCount)));
    if (!line.branching)
        return lineHeight;

    float followersNeed = 0.0f;
    const quint32 children = m_tree.childCount(*line.branching);
    for (quint32 index = 0; index < children; ++index) {
        const Node child = m_tree.child(*line.branching, index);
        const float childHeight = heightOf(child, followerFontSize(m_tree, child, m_maxCount));
        const float childNeed = measure(child, childHeight, depth + 1);
        m_needs[keyOf(child)] = childNeed;
        followersNeed += childNeed;
    }
    m_followersNeed[keyOf(*line.branching)] = followersNeed;
    return std::max(lineHeight, followersNeed);
}

float SpreadBands::heightOf(Node node, float fontSize) const
{
    return float(m_measurer.preferredSize(wordString(m_tree.word(node), fontSize)).height());
}
