#include "RangeMinimum.h"

#include "StopCheck.h"

#include <bit>

namespace {

constexpr quint32 blockShift = 6;
constexpr quint32 blockSize = 1u << blockShift;

} // namespace

RangeMinimum::RangeMinimum(std::span<const quint32> values, std::stop_token stop)
    : m_values(values)
{
    StopCheck check(std::move(stop));
    const auto size = quint32(values.size());
    const quint32 blocks = (size + blockSize - 1) >> blockShift;
    if (blocks == 0)
        return;
    std::vector<quint32> first(blocks);
    for (quint32 block = 0; block < blocks; ++block) {
        check();
        first[block] = scan(block << blockShift, std::min(size, (block + 1) << blockShift));
    }
    m_levels.push_back(std::move(first));
    for (quint32 span = 2; span <= blocks; span *= 2) {
        const std::vector<quint32> &below = m_levels.back();
        std::vector<quint32> level(blocks - span + 1);
        for (quint32 block = 0; block < level.size(); ++block) {
            check();
            level[block] = better(below[block], below[block + span / 2]);
        }
        m_levels.push_back(std::move(level));
    }
}

quint32 RangeMinimum::scan(quint32 begin, quint32 end) const
{
    quint32 best = begin;
    for (quint32 i = begin + 1; i < end; ++i) {
        if (m_values[i] < m_values[best])
            best = i;
    }
    return best;
}

quint32 RangeMinimum::positionOfMinimum(quint32 begin, quint32 end) const
{
    Q_ASSERT(begin < end && end <= m_values.size());
    const quint32 firstWhole = (begin + blockSize - 1) >> blockShift;
    const quint32 endWhole = end >> blockShift;
    if (firstWhole >= endWhole)
        return scan(begin, end);
    const quint32 level = quint32(std::bit_width(endWhole - firstWhole)) - 1;
    quint32 best = better(m_levels[level][firstWhole], m_levels[level][endWhole - (1u << level)]);
    if (begin < (firstWhole << blockShift))
        best = better(scan(begin, firstWhole << blockShift), best);
    if ((endWhole << blockShift) < end)
        best = better(best, scan(endWhole << blockShift, end));
    return best;
}

std::size_t RangeMinimum::bytesUsed() const
{
    std::size_t bytes = 0;
    for (const auto &level : m_levels)
        bytes += level.size() * sizeof(quint32);
    return bytes;
}
