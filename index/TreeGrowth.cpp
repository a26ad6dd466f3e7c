#include "TreeGrowth.h"

#include "AvailableMemory.h"
#include "StopCheck.h"
#include "TextIndex.h"
#include "VerbariumTree.h"

#include <algorithm>

namespace {

constexpr std::size_t maximumChildren = 30;

using Segment = VerbariumTree::Segment;

// The walks that reached the last word of a segment, at depth tokens after their
// occurrence: the suffixes of ranks [begin, end), which share their first depth + 1 tokens.
struct Walks
{
    quint32 segment;
    quint32 begin;
    quint32 end;
    quint32 depth;
};

// The walks that go on with one token: suffix ranks [begin, end), and the earliest of
// their positions, which orders equal counts as the text does.
struct Group
{
    quint32 begin;
    quint32 end;
    quint32 firstPosition = 0;

    quint32 count() const { return end - begin; }
};

class TreeGrowth
{
public:
    TreeGrowth(const TextIndex &index, std::stop_token stop)
        : m_index(index)
        , m_check(std::move(stop))
    {
        m_segments.emplace_back();
    }

    // The occurrences of the phrase, and the segments of its tree.
    std::pair<quint32, std::vector<Segment>> grow(const QStringList &phrase)
    {
        m_check.throwIfStopped(); // a request already overtaken grows nothing
        const auto [begin, end] = m_index.occurrences(phrase);
        // The walks start at the phrase's first word and have read the rest of it. The
        // sentence-end rules stop all or none of them inside it: they read the same words.
        const auto depth = quint32(phrase.size() - 1);
        const bool reached = begin < end && m_index.sentenceStop(m_index.suffixAt(begin)) >= depth;
        if (reached)
            m_pending.push_back({0, begin, end, depth});
        while (!m_pending.empty()) {
            m_check();
            const Walks walks = m_pending.back();
            m_pending.pop_back();
            follow(walks);
        }
        return {reached ? end - begin : 0, std::move(m_segments)};
    }

private:
    // Whether the walk of rank has read the last word of its file (or of the text) at depth.
    bool endsAt(quint32 rank, quint32 depth) const
    {
        const quint32 position = m_index.suffixAt(rank);
        return position + depth + 1 == m_index.partEnd(position);
    }
    void follow(Walks walks);
    void branch(const Walks &walks);
    void addSegment(const Segment &segment);
    quint32 continueWith(quint32 segment, quint32 firstToken, quint32 length, quint32 count);

    const TextIndex &m_index;
    StopCheck m_check;
    std::vector<Segment> m_segments;
    std::vector<Walks> m_pending;
    std::vector<quint32> m_splits;
    std::vector<Group> m_groups;
};

// Runs the walks down from their segment's last word until they stop or branch.
void TreeGrowth::follow(Walks walks)
{
    // All walks here read the same tokens, so the sentence-end rules stop all or none: the
    // first walk's stop stands for them all, found once rather than at every step.
    quint32 stop = m_index.sentenceStop(m_index.suffixAt(walks.begin));
    for (;;) {
        m_check();
        const quint32 depth = walks.depth;
        if (stop <= depth)
            return;
        // The walks that ran into the end of the text or of their file are the shortest,
        // sorted first: they count for this word and go no further.
        if (endsAt(walks.begin, depth)) {
            do {
                if (++walks.begin == walks.end)
                    return;
            } while (endsAt(walks.begin, depth));
            stop = m_index.sentenceStop(m_index.suffixAt(walks.begin));
        }
        const quint32 position = m_index.suffixAt(walks.begin);
        const quint32 count = walks.end - walks.begin;
        if (count == 1) {
            const quint32 last = std::min(stop, m_index.partEnd(position) - 1 - position);
            // Only an index read from a file, in the wrong order, gets here without a
            // token to read; the same below.
            if (last <= depth)
                throw DamagedIndex();
            continueWith(walks.segment, position + depth + 1, last - depth, 1);
            return;
        }
        const quint32 shared = m_index.sharedPrefix(walks.begin, walks.end);
        if (shared <= depth)
            throw DamagedIndex();
        if (shared - 1 == depth) {
            branch(walks);
            return;
        }
        const quint32 last = std::min(shared - 1, stop);
        if (last <= depth)
            throw DamagedIndex();
        walks.segment = continueWith(walks.segment, position + depth + 1, last - depth, count);
        if (last == stop)
            return;
        walks.depth = last;
    }
}

void TreeGrowth::branch(const Walks &walks)
{
    const quint32 depth = walks.depth + 1;
    m_index.splitsAt(walks.begin, walks.end, depth, m_splits);
    m_groups.clear();
    quint32 begin = walks.begin;
    for (const quint32 split : m_splits) {
        m_groups.push_back({begin, split});
        begin = split;
    }
    m_groups.push_back({begin, walks.end});

    // Only the 30 most frequent are kept, so only those that can be among them need
    // their first position.
    auto candidates = m_groups.end();
    if (m_groups.size() > maximumChildren) {
        std::nth_element(m_groups.begin(), m_groups.begin() + maximumChildren - 1, m_groups.end(),
                         [](const Group &a, const Group &b) { return a.count() > b.count(); });
        const quint32 threshold = m_groups[maximumChildren - 1].count();
        candidates = std::partition(m_groups.begin(), m_groups.end(),
                                    [threshold](const Group &g) { return g.count() >= threshold; });
    }
    for (auto group = m_groups.begin(); group != candidates; ++group)
        group->firstPosition = m_index.firstPosition(group->begin, group->end);
    std::sort(m_groups.begin(), candidates, [](const Group &a, const Group &b) {
        const int order = sortByCount(a.count(), b.count());
        return order != 0 ? order < 0 : a.firstPosition < b.firstPosition;
    });
    const auto kept =
        quint32(std::min<std::size_t>(candidates - m_groups.begin(), maximumChildren));

    Segment &parent = m_segments[walks.segment];
    parent.firstChild = quint32(m_segments.size());
    parent.childCount = kept;
    parent.continuations = quint32(m_groups.size());
    for (quint32 i = 0; i < kept; ++i) {
        const Group &group = m_groups[i];
        Segment child;
        child.firstToken = m_index.suffixAt(group.begin) + depth;
        if (child.firstToken >= m_index.size())
            throw DamagedIndex();
        child.count = group.count();
        child.parent = walks.segment;
        m_pending.push_back({quint32(m_segments.size()), group.begin, group.end, depth});
        addSegment(child);
    }
}

// A tree can have a segment for every token (one word repeated, without sentence ends):
// before the segments double, the room is looked for, so that such a tree fails as too
// little memory rather than making the whole system swap.
void TreeGrowth::addSegment(const Segment &segment)
{
    if (m_segments.size() == m_segments.capacity()) {
        const std::optional<qint64> available = availableMemoryBytes();
        if (available && qint64(m_segments.capacity() * 2 * sizeof(Segment)) > *available)
            throw std::bad_alloc();
    }
    m_segments.push_back(segment);
}

// Adds length words that all the walks read after segment's last word: to the segment
// itself when the same walks made it, else as its only child.
quint32 TreeGrowth::continueWith(quint32 segment, quint32 firstToken, quint32 length, quint32 count)
{
    Segment &current = m_segments[segment];
    if (segment != 0 && current.count == count) {
        Q_ASSERT(current.firstToken + current.length == firstToken);
        current.length += length;
        return segment;
    }
    const auto added = quint32(m_segments.size());
    current.firstChild = added;
    current.childCount = 1;
    current.continuations = 1;
    Segment child;
    child.firstToken = firstToken;
    child.length = length;
    child.count = count;
    child.parent = segment;
    addSegment(child); // current is no longer valid
    return added;
}

} // namespace

std::shared_ptr<const VerbariumTree> growTree(const std::shared_ptr<const TextIndex> &index,
                                              const QStringList &phrase, std::stop_token stop)
{
    // The words before read the text backwards, the phrase too.
    const QStringList read =
        index->readsBackward() ? QStringList(phrase.rbegin(), phrase.rend()) : phrase;
    auto [occurrences, segments] = TreeGrowth(*index, std::move(stop)).grow(read);
    return std::make_shared<const VerbariumTree>(phrase.join(u' '), read, occurrences,
                                                 index->sharedTokens(), std::move(segments));
}

std::shared_ptr<const VerbariumTree> growTree(const std::shared_ptr<const TextIndex> &index,
                                              const QString &word, std::stop_token stop)
{
    return growTree(index, QStringList{word}, std::move(stop));
}
