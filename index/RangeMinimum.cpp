#include "RangeMinimum.h"

#include <algorithm>

std::size_t RangeMinimum::tableSizeFor(quint32 superblocks)
{
    std::size_t size = 0;
    for (quint32 level = 0; (1u << level) <= superblocks; ++level)
        size += superblocks - (1u << level) + 1;
    return size;
}

void RangeMinimum::writeTo(SectionWriter &writer) const
{
    writer.write(m_blockMinima);
    writer.write(m_table);
}

RangeMinimum RangeMinimum::readFrom(SectionReader &reader, quint32 size)
{
    RangeMinimum minimum;
    minimum.m_superblocks = superblocksFor(size);
    minimum.m_blockMinima = reader.read<quint8>();
    minimum.m_table = reader.read<quint32>();
    if (minimum.m_blockMinima.size() != (size >> blockShift) ||
        minimum.m_table.size() != tableSizeFor(minimum.m_superblocks))
        throw DamagedSections();
    for (const quint8 offset : minimum.m_blockMinima) {
        if (offset >= blockSize)
            throw DamagedSections();
    }
    for (const quint32 position : minimum.m_table) {
        if (position >= size)
            throw DamagedSections();
    }
    return minimum;
}

bool RangeMinimum::operator==(const RangeMinimum &other) const
{
    return m_superblocks == other.m_superblocks &&
           std::ranges::equal(m_blockMinima, other.m_blockMinima) &&
           std::ranges::equal(m_table, other.m_table);
}
