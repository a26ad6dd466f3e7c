#pragma once

#include "SectionFile.h"
#include "Stored.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <span>
#include <utility>
#include <vector>

// Where the sentence ends of a text stand ("." apart from "?" and "!"), a bit a token
// each, and how far a walk from any token reads before the sentence-end rules stop it,
// in either reading direction: the text's order, or backwards for the words before.
class SentenceEnds
{
public:
    static constexpr quint32 never = 0xFFFFFFFFu;
    enum class Kind : quint8 { Ordinary, FullStop, QuestionOrExclamation };

    SentenceEnds() = default;
    // kinds: every token's, in text order.
    explicit SentenceEnds(const std::vector<Kind> &kinds);

    // How many tokens after position (in reading order) a walk from an occurrence there
    // reads before the rules stop it, its last token included; never when they don't.
    quint32 stopAfter(quint32 position, bool backward) const;
    // The same for every position of [begin, end), into stops, a pass over them rather
    // than a search for each.
    void stopsOf(quint32 begin, quint32 end, bool backward, quint32 *stops) const;

    quint32 size() const { return m_size; }
    std::size_t bytesUsed() const;
    void writeTo(SectionWriter &writer) const;
    // Throws DamagedSections when the sections do not hold such ends.
    static SentenceEnds readFrom(SectionReader &reader);
    // Whether the ends stand where kindAt(position) says, for every position in text order
    // in [begin, end); begin a multiple of 64.
    template<typename KindAt>
    bool standWhere(const KindAt &kindAt, quint32 begin, quint32 end) const;

private:
    // A bit a token, and, for every 512 tokens, the first one set at or after their
    // first and the last one set at or before their last, so that no search reads more
    // than two such stretches.
    struct Bits
    {
        Stored<quint64> words;
        Stored<quint32> firstFrom;
        Stored<quint32> lastUpTo;

        explicit Bits(std::vector<quint64> bits = {});
        // What firstFrom and lastUpTo hold for these bits.
        static std::pair<std::vector<quint32>, std::vector<quint32>>
        directoryOf(std::span<const quint64> bits);
        // The first position set at or after from, the last at or before; never if none.
        // Ends stand close in prose: the word of from is read here, the rest further on.
        quint32 next(quint32 from, quint32 size) const
        {
            if (from >= size)
                return never;
            const quint64 bits = words[from / 64] & (~quint64(0) << (from % 64));
            return bits != 0 ? from / 64 * 64 + quint32(std::countr_zero(bits))
                             : nextInLaterWords(from / 64 + 1);
        }
        quint32 previous(quint32 from) const
        {
            if (from == never)
                return never;
            const quint64 bits = words[from / 64] & (~quint64(0) >> (63 - from % 64));
            return bits != 0 ? from / 64 * 64 + 63 - quint32(std::countl_zero(bits))
                             : previousInEarlierWords(from / 64);
        }
        quint32 nextInLaterWords(std::size_t word) const;
        // Before word.
        quint32 previousInEarlierWords(std::size_t word) const;
        bool at(quint32 position) const { return (words[position / 64] >> (position % 64)) & 1; }
        // Whether no bit is set: a text without such ends is searched at no cost.
        bool none() const { return firstFrom.empty() || firstFrom[0] == never; }
    };
    enum Which { FullStops = 1, Marks = 2, Both = 3 };

    // The first such end at or after from in reading order.
    quint32 nextEnd(quint32 from, bool backward, int which) const;
    Kind kindAt(quint32 position, bool backward) const;

    Bits m_fullStops;
    Bits m_marks;
    quint32 m_size = 0;
};

template<typename KindAt>
bool SentenceEnds::standWhere(const KindAt &kindAt, quint32 begin, quint32 end) const
{
    for (quint32 first = begin; first < end; first += 64) {
        const quint32 word = first / 64;
        quint64 fullStops = 0;
        quint64 marks = 0;
        const quint32 bitsHere = std::min(end - first, 64u);
        for (quint32 bit = 0; bit < bitsHere; ++bit) {
            const Kind kind = kindAt(first + bit);
            fullStops |= quint64(kind == Kind::FullStop) << bit;
            marks |= quint64(kind == Kind::QuestionOrExclamation) << bit;
        }
        if (fullStops != m_fullStops.words[word] || marks != m_marks.words[word])
            return false;
    }
    return true;
}
