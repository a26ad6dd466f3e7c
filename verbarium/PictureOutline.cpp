#include "PictureOutline.h"

#include <QHash>
#include <algorithm>
#include <iterator>

namespace {

// Nodes of the two sides' trees have the same numbers: the side tells them apart.
quint64 keyOf(Node node, bool before)
{
    return (quint64(before) << 63) | (quint64(node.segment) << 32) | node.offset;
}

} // namespace

PictureOutline outlineOf(const VerbariumPicture &picture)
{
    PictureOutline outline;
    const std::size_t count = picture.words.size();
    outline.parent.assign(count, -1);
    outline.children.resize(count);
    outline.level.assign(count, 1);
    outline.before.assign(count, false);
    QHash<quint64, int> indexOf;
    indexOf.reserve(qsizetype(count) + 1);
    // The start word is shared: the root of the words before is the same word.
    if (picture.bothSides() && count > 0)
        indexOf.insert(keyOf(picture.beforeTree->root(), true), 0);
    // Words come parents first (depth first from the start word, a side at a time), so a
    // parent is always known when its followers are reached.
    for (std::size_t i = 0; i < count; ++i) {
        const PlacedWord &word = picture.words[i];
        outline.before[i] = word.before;
        indexOf.insert(keyOf(word.node, word.before), int(i));
        if (i == 0)
            continue;
        const std::optional<Node> parent = picture.treeOf(word).parent(word.node);
        const int parentIndex = parent ? indexOf.value(keyOf(*parent, word.before), -1) : -1;
        if (parentIndex < 0)
            continue;
        outline.parent[i] = parentIndex;
        outline.children[std::size_t(parentIndex)].push_back(int(i));
        outline.level[i] = outline.level[std::size_t(parentIndex)] + 1;
    }
    return outline;
}

int stepInOutline(const PictureOutline &outline, int from, TreeStep step)
{
    const int count = int(outline.parent.size());
    if (count == 0)
        return -1;
    if (from < 0 || from >= count)
        return 0;
    const bool side = outline.before[std::size_t(from)];
    switch (step) {
    case TreeStep::FirstChild:
    case TreeStep::FirstChildBefore: {
        const std::vector<int> children =
            childrenOnSide(outline, from, side || step == TreeStep::FirstChildBefore);
        return children.empty() ? from : children.front();
    }
    case TreeStep::Parent: {
        const int parent = outline.parent[std::size_t(from)];
        return parent < 0 ? from : parent;
    }
    case TreeStep::PreviousSibling:
    case TreeStep::NextSibling: {
        const int parent = outline.parent[std::size_t(from)];
        if (parent < 0)
            return from;
        const std::vector<int> siblings = childrenOnSide(outline, parent, side);
        const auto at = std::find(siblings.begin(), siblings.end(), from);
        if (step == TreeStep::PreviousSibling)
            return at == siblings.begin() ? from : *(at - 1);
        return at + 1 == siblings.end() ? from : *(at + 1);
    }
    }
    return from;
}

std::vector<int> childrenOnSide(const PictureOutline &outline, int index, bool before)
{
    std::vector<int> children;
    std::ranges::copy_if(outline.children[std::size_t(index)], std::back_inserter(children),
                         [&](int child) { return outline.before[std::size_t(child)] == before; });
    return children;
}

int placedWordAt(const VerbariumPicture &picture, QPointF point)
{
    for (int i = int(picture.words.size()) - 1; i >= 0; --i) {
        const QRectF box = picture.words[std::size_t(i)].box();
        if (point.x() >= box.left() && point.x() < box.right() && point.y() >= box.top() &&
            point.y() < box.bottom())
            return i;
    }
    return -1;
}
