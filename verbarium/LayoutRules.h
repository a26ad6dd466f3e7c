#pragma once

#include "TextLayer.h"
#include "VerbariumTree.h"

#include <optional>
#include <vector>

// What both layouts of a verbarium draw, wherever they draw it: the words of each line,
// the strings they are drawn with, and the share of a band each follower takes.

// The words a display draws on a word's line after the word itself: the run of single
// followers that continue it, and the word at the run's end whose followers are drawn
// below it, in bands, if they are drawn at all.
struct TreeLine
{
    std::vector<Node> run;
    std::optional<Node> branching;
};

// The line after node, which lies depth branchings below the start word. Nothing is
// drawn below the followers of the second branching, and a run stops after
// VerbariumLayout::longestRun words.
TreeLine lineAfter(const VerbariumTree &tree, Node node, unsigned depth);

// A follower's font size before it is raised to the minimum: it grows with the
// logarithm of the follower's count against maxCount, the start's most frequent
// follower's count.
float followerFontSize(const VerbariumTree &tree, Node node, float maxCount);

// The string a word is drawn with: the word font at fontSize, raised to the minimum.
AttributedString wordString(const QString &word, float fontSize);

// How a word's band is shared out among its followers' bands.
class BandShares
{
public:
    virtual ~BandShares() = default;
    // The height of child's band, where child follows parent and parent's band is
    // parentBand high. The bands of all followers of a word add up to its own band.
    virtual float bandOf(Node child, Node parent, float parentBand) const = 0;
};
