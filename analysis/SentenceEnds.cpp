#include "SentenceEnds.h"

#include <algorithm>
#include <bit>

namespace {

constexpr quint32 stretchShift = 9;
constexpr quint32 wordsPerStretch = (1u << stretchShift) / 64;

// The end of a walk at end, from position: never stays never.
quint32 distance(quint32 end, quint32 position)
{
    return end == SentenceEnds::never ? SentenceEnds::never : end - position;
}

quint32 after(quint32 position)
{
    return position == SentenceEnds::never ? SentenceEnds::never : position + 1;
}

} // namespace

std::pair<std::vector<quint32>, std::vector<quint32>>
SentenceEnds::Bits::directoryOf(std::span<const quint64> bits)
{
    const std::size_t stretches = (bits.size() + wordsPerStretch - 1) / wordsPerStretch;
    std::vector<quint32> firstFrom(stretches, never);
    std::vector<quint32> lastUpTo(stretches, never);
    quint32 first = never;
    for (std::size_t word = bits.size(); word-- > 0;) {
        if (bits[word] != 0)
            first = quint32(word * 64 + std::size_t(std::countr_zero(bits[word])));
        if (word % wordsPerStretch == 0)
            firstFrom[word / wordsPerStretch] = first;
    }
    quint32 last = never;
    for (std::size_t word = 0; word < bits.size(); ++word) {
        if (bits[word] != 0)
            last = quint32(word * 64 + 63 - std::size_t(std::countl_zero(bits[word])));
        if (word % wordsPerStretch == wordsPerStretch - 1 || word + 1 == bits.size())
            lastUpTo[word / wordsPerStretch] = last;
    }
    return {std::move(firstFrom), std::move(lastUpTo)};
}

SentenceEnds::Bits::Bits(std::vector<quint64> bits)
{
    auto [firstFrom, lastUpTo] = directoryOf(bits);
    words = Stored<quint64>(std::move(bits));
    this->firstFrom = Stored<quint32>(std::move(firstFrom));
    this->lastUpTo = Stored<quint32>(std::move(lastUpTo));
}

quint32 SentenceEnds::Bits::nextInLaterWords(std::size_t word) const
{
    for (; word < words.size(); ++word) {
        if (words[word] != 0)
            return quint32(word * 64 + std::size_t(std::countr_zero(words[word])));
        // Past the end of a stretch the directory knows the rest.
        if (word % wordsPerStretch == wordsPerStretch - 1)
            return word + 1 == words.size() ? never : firstFrom[word / wordsPerStretch + 1];
    }
    return never;
}

quint32 SentenceEnds::Bits::previousInEarlierWords(std::size_t word) const
{
    while (word-- > 0) {
        if (words[word] != 0)
            return quint32(word * 64 + 63 - std::size_t(std::countl_zero(words[word])));
        if (word % wordsPerStretch == 0)
            return word == 0 ? never : lastUpTo[word / wordsPerStretch - 1];
    }
    return never;
}

SentenceEnds::SentenceEnds(const std::vector<Kind> &kinds)
    : m_size(quint32(kinds.size()))
{
    std::vector<quint64> fullStops((kinds.size() + 63) / 64, 0);
    std::vector<quint64> marks(fullStops.size(), 0);
    for (std::size_t position = 0; position < kinds.size(); ++position) {
        if (kinds[position] == Kind::FullStop)
            fullStops[position / 64] |= quint64(1) << (position % 64);
        else if (kinds[position] == Kind::QuestionOrExclamation)
            marks[position / 64] |= quint64(1) << (position % 64);
    }
    m_fullStops = Bits(std::move(fullStops));
    m_marks = Bits(std::move(marks));
}

quint32 SentenceEnds::nextEnd(quint32 from, bool backward, int which) const
{
    if (from >= m_size)
        return never;
    const auto nextOf = [&](const Bits &bits) {
        if (bits.none())
            return never;
        if (!backward)
            return bits.next(from, m_size);
        const quint32 found = bits.previous(m_size - 1 - from);
        return found == never ? never : m_size - 1 - found;
    };
    quint32 found = never;
    if (which & FullStops)
        found = nextOf(m_fullStops);
    if (which & Marks)
        found = std::min(found, nextOf(m_marks));
    return found;
}

SentenceEnds::Kind SentenceEnds::kindAt(quint32 position, bool backward) const
{
    const quint32 inText = backward ? m_size - 1 - position : position;
    if (m_fullStops.at(inText))
        return Kind::FullStop;
    return m_marks.at(inText) ? Kind::QuestionOrExclamation : Kind::Ordinary;
}

// A node at depth m of a walk from position p is marked once a "." stood at depth 0 to
// m − 1 or a "?" or "!" at depth 1 to m; the walk stops at the first sentence end whose
// parent is marked: the first after the first marked depth.
quint32 SentenceEnds::stopAfter(quint32 position, bool backward) const
{
    const quint32 marked = std::min(after(nextEnd(position, backward, FullStops)),
                                    nextEnd(position + 1, backward, Marks));
    return distance(nextEnd(after(marked), backward, Both), position);
}

// The same rule, carried from the end of the stretch to its start: each position's stop
// follows from the next marks and sentence ends after it.
void SentenceEnds::stopsOf(quint32 begin, quint32 end, bool backward, quint32 *stops) const
{
    quint32 endAfter1 = nextEnd(end, backward, Both);     // the first end after the position
    quint32 endAfter2 = nextEnd(end + 1, backward, Both); // ...after the position's successor
    quint32 fullStop = nextEnd(end, backward, FullStops); // the first "." at or after it...
    quint32 fullStopEnd = nextEnd(after(after(fullStop)), backward, Both); // ...its walk's end
    quint32 mark = nextEnd(end, backward, Marks);           // the first "?" or "!" after it...
    quint32 markEnd = nextEnd(after(mark), backward, Both); // ...and the first end after that
    for (quint32 position = end; position-- > begin;) {
        const Kind kind = kindAt(position, backward);
        if (kind == Kind::FullStop) {
            fullStop = position;
            fullStopEnd = endAfter2;
        }
        // A "." at depth j marks depth j + 1; a "?" or "!" at depth j marks depth j.
        const quint32 walkEnd = after(fullStop) <= mark ? fullStopEnd : markEnd;
        stops[position - begin] = distance(walkEnd, position);
        if (kind == Kind::QuestionOrExclamation) {
            mark = position;
            markEnd = endAfter1;
        }
        endAfter2 = endAfter1;
        if (kind != Kind::Ordinary)
            endAfter1 = position;
    }
}

std::size_t SentenceEnds::bytesUsed() const
{
    std::size_t bytes = 0;
    for (const Bits *bits : {&m_fullStops, &m_marks})
        bytes += bits->words.bytesUsed() + bits->firstFrom.bytesUsed() + bits->lastUpTo.bytesUsed();
    return bytes;
}

void SentenceEnds::writeTo(SectionWriter &writer) const
{
    writer.writeValue(m_size);
    for (const Bits *bits : {&m_fullStops, &m_marks}) {
        writer.write(bits->words);
        writer.write(bits->firstFrom);
        writer.write(bits->lastUpTo);
    }
}

SentenceEnds SentenceEnds::readFrom(SectionReader &reader)
{
    SentenceEnds ends;
    ends.m_size = reader.readValue<quint32>();
    const std::size_t words = (std::size_t(ends.m_size) + 63) / 64;
    for (Bits *bits : {&ends.m_fullStops, &ends.m_marks}) {
        bits->words = reader.read<quint64>();
        bits->firstFrom = reader.read<quint32>();
        bits->lastUpTo = reader.read<quint32>();
        if (bits->words.size() != words)
            throw DamagedSections();
        // A directory that misleads would stop walks elsewhere, and a bit past the last
        // token would stand for a token that is not there.
        const auto [firstFrom, lastUpTo] = Bits::directoryOf(bits->words.view());
        if (!std::ranges::equal(bits->firstFrom, firstFrom) ||
            !std::ranges::equal(bits->lastUpTo, lastUpTo) ||
            (ends.m_size % 64 != 0 && bits->words[words - 1] >> (ends.m_size % 64) != 0))
            throw DamagedSections();
    }
    return ends;
}
