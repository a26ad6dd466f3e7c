#pragma once

#include "PartStarts.h"
#include "RangeMinimum.h"
#include "SectionFile.h"
#include "SentenceEnds.h"
#include "Stored.h"

#include <span>
#include <stop_token>
#include <vector>

// How many tokens each suffix shares with the one sorted before it, as far as walks read
// them: a walk never reads past its sentence-end stop, so a value is cut to one past the
// stop of its suffix (the two suffixes then stop alike), which keeps nearly all values
// below 255 in a text with sentence ends, a byte each. Larger values are listed apart;
// where they are many (a text without sentence ends), all values take 32 bits.
class CommonPrefixes
{
public:
    CommonPrefixes() = default;
    // Made in two steps, so that the ids can go in between: first the values in text
    // order, of the suffixes of ids (in reading order) in sorted order, cut at the stops
    // of ends read that way and at the ends of the files of parts (in reading order; one
    // part for a single text); then, from these, the values in
    // sorted order. Both use both cores on a long text and throw WorkStopped once stop is
    // requested.
    static std::vector<quint32> inTextOrder(std::span<const quint32> ids,
                                            std::span<const quint32> suffixes,
                                            const SentenceEnds &ends, bool backward,
                                            const PartStarts &parts, std::stop_token stop);
    CommonPrefixes(std::vector<quint32> inTextOrder, std::span<const quint32> suffixes,
                   std::stop_token stop);

    // The value at rank; 0 at rank 0.
    quint32 operator[](quint32 rank) const
    {
        if (!m_wide.empty())
            return m_wide[rank];
        const quint8 narrow = m_narrow[rank];
        return narrow < saturated ? narrow : largeAt(rank);
    }
    // The first rank of the smallest value in [begin, end); begin < end.
    quint32 positionOfMinimum(quint32 begin, quint32 end) const;
    // The ranks in [begin, end) whose value is length, in order, into ranks.
    void ranksOf(quint32 length, quint32 begin, quint32 end, std::vector<quint32> &ranks) const;

    std::size_t bytesUsed() const;
    void writeTo(SectionWriter &writer) const;
    // For size ranks; throws DamagedSections when the sections do not fit.
    static CommonPrefixes readFrom(SectionReader &reader, quint32 size);

private:
    static constexpr quint8 saturated = 255;

    quint32 largeAt(quint32 rank) const;

    Stored<quint8> m_narrow;       // every value, saturated at 255...
    Stored<quint32> m_largeRanks;  // ...and the ranks of those 255 or more, ascending,
    Stored<quint32> m_largeValues; // with their values
    Stored<quint32> m_wide;        // or every value whole, m_narrow then empty
    RangeMinimum m_minimum;        // over m_narrow, or m_wide
    RangeMinimum m_largeMinimum;   // over m_largeValues
};
