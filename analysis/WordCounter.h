#pragma once

#include "CountedSet.h"

#include <QStringView>
#include <cstdint>
#include <vector>

// Counts words without allocating anything per occurrence: an open-addressing
// table whose slots carry a tag of the hash, over the distinct words packed into
// one buffer, so a lookup touches little memory. The caller computes the hash
// while it reads the word.
class WordCounter
{
public:
    static constexpr quint64 initialHash = 0xCBF29CE484222325ull;
    // FNV-1a, one UTF-16 unit at a time.
    static quint64 hashed(quint64 hash, char16_t unit) { return (hash ^ unit) * 0x100000001B3ull; }

    WordCounter();

    // word must not be empty; hash is the fold of hashed() over its units.
    void add(QStringView word, quint64 hash);

    // The distinct words in the order of their first occurrence, with their counts.
    CountedSet toCountedSet() const;

private:
    struct Word
    {
        qsizetype start; // in m_characters
        qsizetype length;
        quint64 hash;
        qsizetype count;
    };
    struct Slot
    {
        std::uint32_t word; // index into m_words + 1; 0 marks an empty slot
        std::uint32_t tag;  // low half of the word's hash
    };

    QStringView textOf(const Word &word) const
    {
        return QStringView(m_characters.data() + word.start, word.length);
    }
    void grow();

    std::vector<Word> m_words;
    std::vector<char16_t> m_characters;
    std::vector<Slot> m_slots;
    int m_slotBits;
};
