#pragma once

#include "SectionFile.h"
#include "Stored.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

// Unsigned values of up to 32 bits, each in the fewest bits that hold the largest: the
// token ids of a text with ten thousand words take 14 bits a token, not 32. A value is
// one unaligned load and a shift away.
class PackedInts
{
public:
    PackedInts() = default;
    // Packs values in the memory they came in, each in width bits, 1 to 32.
    PackedInts(std::vector<quint32> values, quint32 width);

    // The bits the largest value needs, at least 1.
    static quint32 widthFor(quint32 largest)
    {
        return std::max(1u, quint32(std::bit_width(largest)));
    }

    quint32 operator[](std::size_t index) const
    {
        const std::size_t bit = index * m_width;
        quint64 word;
        std::memcpy(&word, reinterpret_cast<const char *>(m_words.data()) + (bit >> 3),
                    sizeof word);
        return quint32((word >> (bit & 7)) & m_mask);
    }
    std::size_t size() const { return m_size; }
    quint32 width() const { return m_width; }
    std::size_t bytesUsed() const { return m_words.bytesUsed(); }

    void writeTo(SectionWriter &writer) const;
    // Throws DamagedSections when the sections do not hold such values.
    static PackedInts readFrom(SectionReader &reader);

private:
    static std::size_t wordsFor(std::size_t size, quint32 width);
    void setWidth(quint32 width);

    Stored<quint32> m_words;
    std::size_t m_size = 0;
    quint32 m_width = 1;
    quint64 m_mask = 1;
};
