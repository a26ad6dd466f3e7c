#pragma once

#include "TextLayer.h"
#include "VerbariumTree.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <vector>

// A word of a laid-out verbarium: its node, its string in the font and size it is drawn
// with, and its box. position is the left end of the word at its vertical centre, in
// the view's coordinates (y upward).
struct PlacedWord
{
    Node node;
    AttributedString string;
    QPointF position;
    QSizeF size;
    // In a picture of both sides, whether the word is one of the words before the start,
    // its node then of the picture's beforeTree.
    bool before = false;

    // Where the word ends on the right, at its vertical centre: where curves to its
    // followers start.
    QPointF end() const { return {position.x() + size.width(), position.y()}; }
    // The box the word covers, y upward from its bottom edge.
    QRectF box() const
    {
        return {position.x(), position.y() - size.height() * 0.5, size.width(), size.height()};
    }
};

// A connector from the right end of a branching word to the left end of a follower.
struct PlacedCurve
{
    QPointF from;
    QPointF to;
};

// A verbarium laid out from a start node: plain data that the view turns into layers,
// that hit tests and exports read. It shares ownership of its tree, whose nodes its
// words name.
struct VerbariumPicture
{
    std::shared_ptr<const VerbariumTree> tree;
    Node startNode;
    std::vector<PlacedWord> words; // the start word first, then depth first
    std::vector<PlacedCurve> curves;
    QSizeF viewSize;       // the frame size the view must take
    float maxCount = 0.0f; // the count of the start node's first child; 0 without children
    // Both sides of the start: the tree of the words before it, whose words come after
    // the words of tree (which holds the shared start word); none for one side.
    std::shared_ptr<const VerbariumTree> beforeTree;

    bool bothSides() const { return beforeTree != nullptr; }
    // Whether anything follows the start word, on either side.
    bool hasBranches() const
    {
        return tree->childCount(startNode) > 0 ||
               (beforeTree && beforeTree->childCount(beforeTree->root()) > 0);
    }
    const VerbariumTree &treeOf(const PlacedWord &word) const
    {
        return word.before ? *beforeTree : *tree;
    }
};

// Lays the tree out from startNode: the start word at the left, the followers of each
// word in bands, two branchings deep. All arithmetic is single precision; the only thing
// taken from the platform is the measured size of a word.
class VerbariumLayout
{
public:
    static constexpr float baseFontSize = 30.0f;
    static constexpr float minimumFontSize = 12.0f;
    // The most words a run of single followers shows. In a text without sentence ends a
    // run goes on to the end of the text: hundreds of thousands of words on one line
    // would freeze the window for a picture nobody can read. Runs in texts with
    // sentence ends are far shorter.
    static constexpr quint32 longestRun = 1000;

    // measurer is not owned and must outlive the layout.
    explicit VerbariumLayout(const TextMeasurer &measurer)
        : m_measurer(measurer)
    {}

    // Bands in proportion to the followers' leaf counts, in a view whose root layer has
    // bounds and whose frame has frameSize. The view never shrinks: viewSize is at least
    // frameSize.
    VerbariumPicture displayVerbariumFromNode(std::shared_ptr<const VerbariumTree> tree, Node node,
                                              QRectF bounds, QSizeF frameSize) const;
    // The same words, sizes, runs and curves with room for every word: each band is
    // at least as tall as the words it holds need, so no two words overlap. The start
    // word's band fills visibleSize's height at least; the view grows past visibleSize
    // as far as the words need, and is no larger than that.
    VerbariumPicture spreadVerbariumFromNode(std::shared_ptr<const VerbariumTree> tree, Node node,
                                             QSizeF visibleSize) const;

private:
    const TextMeasurer &m_measurer;
};

// The picture read from right to left, for the words before a word: every word and curve
// mirrored across the middle of the view, so that the start word stands at the right
// and the words that come before it stand to its left.
VerbariumPicture mirroredPicture(VerbariumPicture picture);
