#include "PackedInts.h"

std::size_t PackedInts::wordsFor(std::size_t size, quint32 width)
{
    // Eight bytes past the last value, so that every value is read with one 8-byte load.
    return (size * width + 63) / 32 + 2;
}

void PackedInts::setWidth(quint32 width)
{
    m_width = width;
    m_mask = (quint64(1) << width) - 1;
}

PackedInts::PackedInts(std::vector<quint32> values, quint32 width)
    : m_size(values.size())
{
    Q_ASSERT(width >= 1 && width <= 32);
    setWidth(width);
    // Written in place from the front: after value i, the packed bits end at or before
    // where value i + 1 starts, so nothing is overwritten before it is read.
    quint32 *out = values.data();
    quint64 pending = 0;
    quint32 pendingBits = 0;
    for (std::size_t i = 0; i < m_size; ++i) {
        pending |= quint64(values[i]) << pendingBits;
        pendingBits += width;
        if (pendingBits >= 32) {
            *out++ = quint32(pending);
            pending >>= 32;
            pendingBits -= 32;
        }
    }
    const std::size_t written = std::size_t(out - values.data());
    values.resize(wordsFor(m_size, width), 0);
    values[written] = quint32(pending);
    std::fill(values.begin() + std::ptrdiff_t(written) + 1, values.end(), 0u);
    values.shrink_to_fit();
    m_words = Stored<quint32>(std::move(values));
}

void PackedInts::writeTo(SectionWriter &writer) const
{
    writer.writeValue(quint64(m_size));
    writer.writeValue(m_width);
    writer.write(m_words);
}

PackedInts PackedInts::readFrom(SectionReader &reader)
{
    PackedInts packed;
    packed.m_size = std::size_t(reader.readValue<quint64>());
    const auto width = reader.readValue<quint32>();
    if (width < 1 || width > 32)
        throw DamagedSections();
    packed.setWidth(width);
    packed.m_words = reader.read<quint32>();
    // Checked in this order, so that a wild size cannot overflow the reckoning.
    if (packed.m_size > packed.m_words.size() * 32 ||
        packed.m_words.size() != wordsFor(packed.m_size, width))
        throw DamagedSections();
    return packed;
}
