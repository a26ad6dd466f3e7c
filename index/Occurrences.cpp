#include "Occurrences.h"

#include "StopCheck.h"
#include "TextIndex.h"

#include <algorithm>

void sortPositions(std::vector<quint32> &positions)
{
    std::vector<quint32> scratch(positions.size());
    for (const int shift : {0, 16}) {
        std::vector<std::size_t> starts(0x10001, 0);
        for (const quint32 position : positions)
            ++starts[((position >> shift) & 0xFFFF) + 1];
        for (std::size_t bucket = 1; bucket < starts.size(); ++bucket)
            starts[bucket] += starts[bucket - 1];
        for (const quint32 position : positions)
            scratch[starts[(position >> shift) & 0xFFFF]++] = position;
        positions.swap(scratch);
    }
}

Occurrences occurrencesOf(const TextIndex &index, const QStringList &sequence, std::stop_token stop)
{
    StopCheck check(std::move(stop));
    Occurrences found;
    if (sequence.isEmpty())
        return found;
    found.length = quint32(sequence.size());
    const quint32 depth = found.length - 1;
    const auto [begin, end] = index.occurrences(sequence);
    if (begin == end)
        return found;
    // The walks from these occurrences read the same words up to the sequence's end, so
    // the sentence-end rules stop all of them inside it or none, and end all of them
    // with it or none: one of them tells for all.
    const quint32 stopOfAll = index.sentenceStop(index.suffixAt(begin));
    if (stopOfAll < depth)
        return found;
    if (stopOfAll == depth) {
        found.endedHere = end - begin;
    } else {
        // Those whose walks run into the end of the text or of their file are the
        // shortest suffixes: first.
        for (quint32 rank = begin; rank < end; ++rank) {
            const quint32 position = index.suffixAt(rank);
            if (position + depth + 1 != index.partEnd(position))
                break;
            ++found.endedHere;
        }
    }
    found.firsts.reserve(end - begin);
    for (quint32 rank = begin; rank < end; ++rank) {
        check();
        const quint32 position = index.suffixAt(rank);
        if (position >= index.size() - depth)
            throw DamagedIndex(); // the order of an index read from a file is wrong
        // Read backwards, the run ends at the position: its first word forward lies depth
        // words before where the reversed sequence has it.
        found.firsts.push_back(index.readsBackward() ? index.size() - 1 - position - depth
                                                     : position);
    }
    sortPositions(found.firsts);
    return found;
}

quint32 filesHolding(const TextIndex &index, const QStringList &sequence)
{
    if (sequence.isEmpty())
        return 0;
    const auto [begin, end] = index.occurrences(sequence);
    // As occurrencesOf: the sentence-end rules stop all of the walks inside it or none.
    if (begin == end || index.sentenceStop(index.suffixAt(begin)) < quint32(sequence.size() - 1))
        return 0;
    const std::span<const quint32> starts = index.partStarts();
    if (starts.size() < 2)
        return 1;
    std::vector<bool> seen(starts.size());
    quint32 files = 0;
    for (quint32 rank = begin; rank < end && files < starts.size(); ++rank) {
        const auto after = std::upper_bound(starts.begin(), starts.end(), index.suffixAt(rank));
        const std::size_t file =
            after == starts.begin() ? 0 : std::size_t(after - starts.begin() - 1);
        if (!seen[file]) {
            seen[file] = true;
            ++files;
        }
    }
    return files;
}
