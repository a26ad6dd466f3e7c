#pragma once

#include "SectionFile.h"
#include "StopCheck.h"
#include "Stored.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <vector>

// Answers "where is the first smallest value in [begin, end)" over a fixed array in
// constant time with about a twentieth of a byte per value: the offset of each block of
// 64 values' minimum, a sparse table over the minima of superblocks of 1,024, and scans
// of at most two partial blocks and 30 block minima. The values are not kept here: each
// query is given them again, as a callable from position to value.
class RangeMinimum
{
public:
    static constexpr quint32 blockShift = 6;
    static constexpr quint32 blocksPerSuperblockShift = 4;

    RangeMinimum() = default;
    // Throws WorkStopped once check finds a stop requested.
    template<typename Values> RangeMinimum(const Values &values, quint32 size, StopCheck &check);

    // begin < end ≤ the size built for; values as built from.
    template<typename Values>
    quint32 positionOfMinimum(const Values &values, quint32 begin, quint32 end) const;

    std::size_t bytesUsed() const { return m_blockMinima.bytesUsed() + m_table.bytesUsed(); }
    void writeTo(SectionWriter &writer) const;
    // For size values. Throws DamagedSections when the sections do not fit.
    static RangeMinimum readFrom(SectionReader &reader, quint32 size);
    // Whether both answer alike: a minimum read from a file that a rebuilt one does not
    // match would point outside the ranges asked about.
    bool operator==(const RangeMinimum &other) const;

private:
    static constexpr quint32 blockSize = 1u << blockShift;
    static constexpr quint32 superblockShift = blockShift + blocksPerSuperblockShift;

    static quint32 superblocksFor(quint32 size) { return size >> superblockShift; }
    // Where the table's level starts: level k holds superblocks − 2^k + 1 entries.
    std::size_t levelStart(quint32 level) const
    {
        return std::size_t(level) * (m_superblocks + 1) - ((std::size_t(1) << level) - 1);
    }
    static std::size_t tableSizeFor(quint32 superblocks);

    template<typename Values> static quint32 better(const Values &values, quint32 a, quint32 b)
    {
        const auto valueA = values(a);
        const auto valueB = values(b);
        return valueB < valueA || (valueB == valueA && b < a) ? b : a;
    }
    // Eight values at a time, their minimum taken without a branch, and their place looked
    // for only where it beats the smallest so far: a branch for every value costs more.
    template<typename Values> static quint32 scan(const Values &values, quint32 begin, quint32 end)
    {
        constexpr quint32 stride = 8;
        quint32 best = begin;
        auto smallest = values(begin);
        quint32 i = begin + 1;
        for (; i + stride <= end; i += stride) {
            auto least = values(i);
            for (quint32 k = 1; k < stride; ++k)
                least = std::min(least, values(i + k));
            if (least < smallest) {
                smallest = least;
                best = i;
                while (values(best) != least)
                    ++best;
            }
        }
        for (; i < end; ++i) {
            const auto value = values(i);
            if (value < smallest) {
                smallest = value;
                best = i;
            }
        }
        return best;
    }
    template<typename Values>
    quint32 blockMinima(const Values &values, quint32 firstBlock, quint32 endBlock) const
    {
        quint32 best = (firstBlock << blockShift) + m_blockMinima[firstBlock];
        for (quint32 block = firstBlock + 1; block < endBlock; ++block)
            best = better(values, best, (block << blockShift) + m_blockMinima[block]);
        return best;
    }

    Stored<quint8> m_blockMinima; // offset of each whole block's first minimum
    Stored<quint32> m_table;      // positions of the minima of runs of 2^k superblocks
    quint32 m_superblocks = 0;
};

template<typename Values>
RangeMinimum::RangeMinimum(const Values &values, quint32 size, StopCheck &check)
    : m_superblocks(superblocksFor(size))
{
    std::vector<quint8> offsets(size >> blockShift);
    for (quint32 block = 0; block < offsets.size(); ++block) {
        check();
        offsets[block] = quint8(scan(values, block << blockShift, (block + 1) << blockShift) -
                                (block << blockShift));
    }
    m_blockMinima = Stored<quint8>(std::move(offsets));
    std::vector<quint32> table(tableSizeFor(m_superblocks));
    constexpr quint32 blocksPerSuperblock = 1u << blocksPerSuperblockShift;
    for (quint32 superblock = 0; superblock < m_superblocks; ++superblock) {
        check();
        table[superblock] = blockMinima(values, superblock * blocksPerSuperblock,
                                        (superblock + 1) * blocksPerSuperblock);
    }
    for (quint32 level = 1; (1u << level) <= m_superblocks; ++level) {
        const std::size_t below = levelStart(level - 1);
        const std::size_t here = levelStart(level);
        for (quint32 j = 0; j + (1u << level) <= m_superblocks; ++j) {
            check();
            table[here + j] =
                better(values, table[below + j], table[below + j + (1u << (level - 1))]);
        }
    }
    m_table = Stored<quint32>(std::move(table));
}

template<typename Values>
quint32 RangeMinimum::positionOfMinimum(const Values &values, quint32 begin, quint32 end) const
{
    Q_ASSERT(begin < end);
    const quint32 firstBlock = (begin + blockSize - 1) >> blockShift;
    const quint32 endBlock = end >> blockShift;
    if (firstBlock + 1 >= endBlock)
        return scan(values, begin, end);
    constexpr quint32 blocksPerSuperblock = 1u << blocksPerSuperblockShift;
    const quint32 firstSuperblock =
        (firstBlock + blocksPerSuperblock - 1) >> blocksPerSuperblockShift;
    const quint32 endSuperblock = endBlock >> blocksPerSuperblockShift;
    quint32 best = scan(values, begin, std::min(end, (firstBlock << blockShift) + 1));
    const auto take = [&](quint32 candidate) { best = better(values, best, candidate); };
    if (firstSuperblock < endSuperblock) {
        const quint32 headEnd = firstSuperblock << blocksPerSuperblockShift;
        if (firstBlock < headEnd)
            take(blockMinima(values, firstBlock, headEnd));
        const auto level = quint32(std::bit_width(endSuperblock - firstSuperblock)) - 1;
        const std::size_t start = levelStart(level);
        take(m_table[start + firstSuperblock]);
        take(m_table[start + endSuperblock - (1u << level)]);
        const quint32 tailStart = endSuperblock << blocksPerSuperblockShift;
        if (tailStart < endBlock)
            take(blockMinima(values, tailStart, endBlock));
    } else {
        take(blockMinima(values, firstBlock, endBlock));
    }
    if ((endBlock << blockShift) < end)
        take(scan(values, endBlock << blockShift, end));
    return best;
}
