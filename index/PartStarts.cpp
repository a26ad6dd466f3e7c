#include "PartStarts.h"

#include <bit>

PartStarts::PartStarts(std::vector<quint32> starts, quint32 size)
    : m_starts(std::move(starts))
    , m_size(size)
{
    if (!holdsSeveral())
        return;
    // Stretches of the largest power of two not above a part's average length.
    const auto averageLength = quint32(size / m_starts.size());
    m_stretchShift = averageLength > 1 ? unsigned(std::bit_width(averageLength)) - 1 : 0;
    m_partAtStretch.resize((std::size_t(size) >> m_stretchShift) + 1);
    quint32 part = 0;
    for (std::size_t stretch = 0; stretch < m_partAtStretch.size(); ++stretch) {
        const auto first = quint32(stretch << m_stretchShift);
        while (part + 1 < m_starts.size() && m_starts[part + 1] <= first)
            ++part;
        m_partAtStretch[stretch] = part;
    }
}

std::size_t PartStarts::bytesUsed() const
{
    return (m_starts.capacity() + m_partAtStretch.capacity()) * sizeof(quint32);
}
