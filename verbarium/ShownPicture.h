#pragma once

#include "ContextsQuery.h"
#include "PictureOutline.h"
#include "TokensHoldingWord.h"
#include "TreeInput.h"
#include "VerbariumLayout.h"

#include <memory>
#include <optional>

class TextIndex;

// The verbarium picture on screen and what its trees grew from: the indexes, the longer
// tokens holding its start word, the node whose contexts were asked for last. Plain data
// for the view, which draws it.
class ShownPicture
{
public:
    // The picture, none before the first tree and after a new text.
    const std::optional<VerbariumPicture> &picture() const { return m_picture; }
    // The picture's word at index, null when there is none.
    const PlacedWord *word(int index) const;
    const PictureOutline &outline() const { return m_outline; }
    const QList<HoldingToken> &holding() const { return m_holding; }

    // The next pictures are of a tree grown from index; forward: the text's own index.
    void growFrom(std::shared_ptr<const TextIndex> index, std::shared_ptr<const TextIndex> forward,
                  QList<HoldingToken> holding);
    // The next pictures are of both sides: after grown from forward, before from indexBefore.
    void growBothFrom(std::shared_ptr<const TextIndex> forward,
                      std::shared_ptr<const TextIndex> indexBefore, QList<HoldingToken> holding);
    // Takes the picture to show in place of the last.
    void take(VerbariumPicture picture);
    // Nothing is shown; the last tree, which may hold the last of a text's tokens, goes
    // on a worker.
    void clear();

    // What the tree of word grew from.
    const std::shared_ptr<const TextIndex> &indexOf(const PlacedWord &word) const
    {
        return word.before ? m_indexBefore : m_pictureIndex;
    }
    // Whether the picture shows the words before: drawn from right to left.
    bool mirrored() const;
    // Where the picture's word at index stands: which way the keys walk from it.
    WordSide sideOf(int index) const;
    // The contexts of node (in the tree of the words before, when before); none when
    // they are the ones asked for last or there is no picture.
    std::optional<ContextsQuery> contextsOf(Node node, bool before);
    // Every tree's root is the same node: a new tree's root asks for its contexts anew.
    void forgetContexts() { m_contextsNode.reset(); }

private:
    std::optional<VerbariumPicture> m_picture;
    PictureOutline m_outline;                        // of m_picture
    std::shared_ptr<const TextIndex> m_pictureIndex; // what the picture's tree grew from
    std::shared_ptr<const TextIndex> m_textIndex;    // the text's own, forward
    std::shared_ptr<const TextIndex> m_indexBefore;  // what the words before grew from
    QList<HoldingToken> m_holding;
    std::optional<std::pair<Node, bool>> m_contextsNode;
};
