#pragma once

#include "LayoutRules.h"

#include <unordered_map>

// Bands with room for every word. Measured from the leaves up, a word needs as much
// height as the tallest word on its line, and at least as much as the bands of its
// followers need together. Each follower's band is what it needs plus a share of the
// room its parent's band has to spare, in proportion to its leaves: so the bands of a
// word's followers fill the word's band, none is lower than what it holds, and where
// nothing needs room the bands are those of the proportional layout.
class SpreadBands : public BandShares
{
public:
    // Measures the words drawn from start, as the display draws them. measurer is used
    // here only.
    SpreadBands(const VerbariumTree &tree, Node start, float maxCount,
                const TextMeasurer &measurer);

    // The height the words drawn from node need: node's line, and below its branching
    // word the followers' bands. For start and every word drawn as a branch.
    float need(Node node) const;

    float bandOf(Node child, Node parent, float parentBand) const override;

private:
    float measure(Node node, float nodeHeight, unsigned depth);
    float heightOf(Node node, float fontSize) const;
    static quint64 keyOf(Node node) { return quint64(node.segment) << 32 | node.offset; }

    const VerbariumTree &m_tree;
    const TextMeasurer &m_measurer;
    float m_maxCount;
    std::unordered_map<quint64, float> m_needs;
    // What the followers of a branching word need together.
    std::unordered_map<quint64, float> m_followersNeed;
};
