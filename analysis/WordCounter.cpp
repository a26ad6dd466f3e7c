#include "WordCounter.h"

#include <algorithm>

namespace {

constexpr int initialSlotBits = 12;

// FNV-1a leaves its low bits weak for units above ASCII; the top bits of a
// Fibonacci product depend on every bit of the hash.
quint64 homeSlot(quint64 hash, int slotBits)
{
    return (hash * 0x9E3779B97F4A7C15ull) >> (64 - slotBits);
}

} // namespace

WordCounter::WordCounter()
    : m_slots(std::size_t(1) << initialSlotBits, Slot{0, 0})
    , m_slotBits(initialSlotBits)
{}

void WordCounter::add(QStringView word, quint64 hash)
{
    Q_ASSERT(!word.isEmpty());
    const auto tag = std::uint32_t(hash);
    const quint64 mask = m_slots.size() - 1;
    for (quint64 slot = homeSlot(hash, m_slotBits);; slot = (slot + 1) & mask) {
        Slot &candidate = m_slots[slot];
        if (candidate.word == 0) {
            const auto start = qsizetype(m_characters.size());
            m_characters.insert(m_characters.end(), word.utf16(), word.utf16() + word.size());
            m_words.push_back({start, word.size(), hash, 1});
            candidate = {std::uint32_t(m_words.size()), tag};
            // Half full at most, so probe runs stay short.
            if (m_words.size() * 2 > m_slots.size())
                grow();
            return;
        }
        if (candidate.tag != tag)
            continue;
        Word &known = m_words[candidate.word - 1];
        if (known.length == word.size() &&
            std::equal(word.begin(), word.end(), m_characters.begin() + known.start)) {
            ++known.count;
            return;
        }
    }
}

void WordCounter::grow()
{
    ++m_slotBits;
    m_slots.assign(std::size_t(1) << m_slotBits, Slot{0, 0});
    const quint64 mask = m_slots.size() - 1;
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        quint64 slot = homeSlot(m_words[i].hash, m_slotBits);
        while (m_slots[slot].word != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = {std::uint32_t(i + 1), std::uint32_t(m_words[i].hash)};
    }
}

CountedSet WordCounter::toCountedSet() const
{
    std::vector<CountedSet::Entry> entries;
    entries.reserve(m_words.size());
    for (const Word &word : m_words)
        entries.push_back({textOf(word).toString(), word.count});
    return CountedSet::fromDistinct(std::move(entries));
}
