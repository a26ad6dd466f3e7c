#pragma once

#include <QtGlobal>
#include <span>
#include <vector>

// Where the parts (the files) of a sequence begin, and which part holds a position. A
// table of the part holding the first position of each stretch, a stretch being about
// a part long, leaves a look-up to pass the few parts that begin within one stretch:
// a search of tens of thousands of starts for every position of a text adds up.
class PartStarts
{
public:
    PartStarts() = default;
    // starts ascending, the first 0; size the sequence's length. None or one start: a
    // sequence of one part.
    PartStarts(std::vector<quint32> starts, quint32 size);

    std::span<const quint32> starts() const { return m_starts; }
    bool holdsSeveral() const { return m_starts.size() > 1; }
    // The part holding position, counted from 0.
    quint32 partOf(quint32 position) const
    {
        if (!holdsSeveral())
            return 0;
        quint32 part = m_partAtStretch[position >> m_stretchShift];
        while (part + 1 < m_starts.size() && m_starts[part + 1] <= position)
            ++part;
        return part;
    }
    // Where the part holding position ends: the next part's start, or the sequence's end.
    quint32 endOf(quint32 position) const
    {
        const quint32 next = partOf(position) + 1;
        return next < m_starts.size() ? m_starts[next] : m_size;
    }
    std::size_t bytesUsed() const;

private:
    std::vector<quint32> m_starts;
    quint32 m_size = 0;
    unsigned m_stretchShift = 0;
    std::vector<quint32> m_partAtStretch; // the part holding each stretch's first position
};
