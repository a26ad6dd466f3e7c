#include "TextIndex.h"

#include "StopCheck.h"
#include "SuffixArray.h"
#include "Tokeniser.h"

#include <algorithm>

namespace {

constexpr quint32 nowhere = 0xFFFFFFFFu;
// Below this many ranks a plain scan finds the splits faster than range minima.
constexpr quint32 scannedRanges = 256;

// A node at depth m of a walk from position p is marked once a "." stood at depth 0 to
// m − 1 or a "?" or "!" at depth 1 to m; the walk stops at the first sentence end whose
// parent is marked. So each walk's stop follows from the next marks and sentence ends
// after its start, which one pass from the end of the text carries along.
std::vector<quint32> sentenceStops(const TokenSequence &tokens, StopCheck &check)
{
    using Kind = TokenSequence::Kind;
    const quint32 size = tokens.size();
    std::vector<quint32> stops(size, TextIndex::neverStops);
    quint32 endAfter1 = nowhere;   // the first sentence end after the position
    quint32 endAfter2 = nowhere;   // the first sentence end after the position's successor
    quint32 fullStop = nowhere;    // the first "." at or after the position...
    quint32 fullStopEnd = nowhere; // ...and the first sentence end after its successor
    quint32 mark = nowhere;        // the first "?" or "!" after the position...
    quint32 markEnd = nowhere;     // ...and the first sentence end after it
    for (quint32 position = size; position-- > 0;) {
        check();
        const Kind kind = tokens.kindAt(position);
        if (kind == Kind::FullStop) {
            fullStop = position;
            fullStopEnd = endAfter2;
        }
        // A "." at depth j marks depth j + 1; a "?" or "!" at depth j marks depth j.
        const quint32 byFullStop = fullStop == nowhere ? nowhere : fullStop + 1;
        const quint32 end = byFullStop <= mark ? fullStopEnd : markEnd;
        if (end != nowhere)
            stops[position] = end - position;
        if (kind == Kind::QuestionOrExclamation) {
            mark = position;
            markEnd = endAfter1;
        }
        endAfter2 = endAfter1;
        if (kind != Kind::Ordinary)
            endAfter1 = position;
    }
    return stops;
}

} // namespace

std::shared_ptr<const TextIndex> TextIndex::build(QStringView text, std::stop_token stop)
{
    return build(tokenise(text, stop), stop);
}

std::shared_ptr<const TextIndex> TextIndex::build(TokenSequence tokens, std::stop_token stop)
{
    StopCheck check(stop);
    std::shared_ptr<TextIndex> index(new TextIndex);
    index->m_sentenceStops = sentenceStops(tokens, check);
    index->m_suffixes = suffixArray(tokens.idsToSort(), tokens.distinctCount(), stop);
    index->m_tokens = std::make_shared<const TokenSequence>(std::move(tokens));
    index->m_prefixes = longestCommonPrefixes(index->m_tokens->ids(), index->m_suffixes, stop);
    index->m_prefixMinimum.emplace(index->m_prefixes, stop);
    index->m_positionMinimum.emplace(index->m_suffixes, stop);
    return index;
}

std::pair<quint32, quint32> TextIndex::occurrences(const QStringList &words) const
{
    quint32 begin = 0;
    auto end = quint32(m_suffixes.size());
    // The suffixes that share the first depth words are sorted by the next one; one that
    // ends before it sorts first.
    for (qsizetype depth = 0; depth < words.size() && begin < end; ++depth) {
        const std::optional<quint32> id = m_tokens->idOf(words[depth]);
        if (!id)
            return {0, 0};
        const auto idBelow = [this, depth](quint32 suffix, qint64 wanted) {
            const quint64 position = quint64(suffix) + quint64(depth);
            const qint64 id = position < size() ? qint64(m_tokens->ids()[position]) : -1;
            return id < wanted;
        };
        const auto first = m_suffixes.begin() + begin;
        const auto last = m_suffixes.begin() + end;
        const auto from = std::lower_bound(first, last, qint64(*id), idBelow);
        const auto to = std::lower_bound(from, last, qint64(*id) + 1, idBelow);
        begin = quint32(from - m_suffixes.begin());
        end = quint32(to - m_suffixes.begin());
    }
    return begin < end ? std::pair{begin, end} : std::pair<quint32, quint32>{0, 0};
}

void TextIndex::splitsAt(quint32 begin, quint32 end, quint32 length,
                         std::vector<quint32> &splits) const
{
    splits.clear();
    if (end - begin < scannedRanges) {
        for (quint32 rank = begin + 1; rank < end; ++rank) {
            if (m_prefixes[rank] == length)
                splits.push_back(rank);
        }
        return;
    }
    std::vector<std::pair<quint32, quint32>> pending{{begin + 1, end}};
    while (!pending.empty()) {
        const auto [low, high] = pending.back();
        pending.pop_back();
        if (low >= high)
            continue;
        const quint32 rank = m_prefixMinimum->positionOfMinimum(low, high);
        if (m_prefixes[rank] != length)
            continue;
        splits.push_back(rank);
        pending.emplace_back(low, rank);
        pending.emplace_back(rank + 1, high);
    }
    std::sort(splits.begin(), splits.end());
}

std::size_t TextIndex::bytesUsed() const
{
    const auto arrayBytes = [](const std::vector<quint32> &array) {
        return array.size() * sizeof(quint32);
    };
    return m_tokens->bytesUsed() + arrayBytes(m_sentenceStops) + arrayBytes(m_suffixes) +
           arrayBytes(m_prefixes) + m_prefixMinimum->bytesUsed() + m_positionMinimum->bytesUsed();
}
