#include "VerbariumTree.h"

#include "TokenSequence.h"

VerbariumTree::VerbariumTree(QString rootWord, QStringList phrase, quint32 occurrences,
                             std::shared_ptr<const TokenSequence> tokens,
                             std::vector<Segment> segments)
    : m_rootWord(std::move(rootWord))
    , m_phrase(std::move(phrase))
    , m_occurrences(occurrences)
    , m_tokens(std::move(tokens))
    , m_segments(std::move(segments))
{
    Q_ASSERT(!m_segments.empty() && m_segments.front().length == 1);
    // Children come after their parents, so one pass from the end adds up the leaves.
    for (Segment &segment : m_segments)
        segment.countOfLeaves = segment.childCount == 0 ? 1 : 0;
    for (auto index = m_segments.size(); index-- > 1;) {
        const Segment &segment = m_segments[index];
        m_segments[segment.parent].countOfLeaves += segment.countOfLeaves;
    }
}

const QString &VerbariumTree::word(Node node) const
{
    if (node.segment == 0)
        return m_rootWord;
    return m_tokens->wordAt(m_segments[node.segment].firstToken + node.offset);
}

QStringList VerbariumTree::sequenceTo(Node node) const
{
    QStringList below;
    for (std::optional<Node> step = node; step && *step != root(); step = parent(*step))
        below.prepend(word(*step));
    return m_phrase + below;
}

quint32 VerbariumTree::continuations(Node node) const
{
    const Segment &segment = m_segments[node.segment];
    return node.offset + 1 < segment.length ? 1 : segment.continuations;
}

std::optional<Node> VerbariumTree::parent(Node node) const
{
    if (node.offset > 0)
        return Node{node.segment, node.offset - 1};
    const quint32 parent = m_segments[node.segment].parent;
    if (parent == noSegment)
        return std::nullopt;
    return Node{parent, m_segments[parent].length - 1};
}

quint32 VerbariumTree::childCount(Node node) const
{
    const Segment &segment = m_segments[node.segment];
    return node.offset + 1 < segment.length ? 1 : segment.childCount;
}

Node VerbariumTree::child(Node node, quint32 index) const
{
    Q_ASSERT(index < childCount(node));
    const Segment &segment = m_segments[node.segment];
    if (node.offset + 1 < segment.length)
        return {node.segment, node.offset + 1};
    return {segment.firstChild + index, 0};
}

quint64 VerbariumTree::descendantCount(Node node) const
{
    const Segment &segment = m_segments[node.segment];
    quint64 count = segment.length - 1 - node.offset;
    std::vector<quint32> pending;
    for (quint32 i = 0; i < segment.childCount; ++i)
        pending.push_back(segment.firstChild + i);
    while (!pending.empty()) {
        const Segment &below = m_segments[pending.back()];
        pending.pop_back();
        count += below.length;
        for (quint32 i = 0; i < below.childCount; ++i)
            pending.push_back(below.firstChild + i);
    }
    return count;
}

int sortByCount(quint32 countA, quint32 countB)
{
    if (countA > countB)
        return -1;
    if (countA < countB)
        return 1;
    return 0;
}
