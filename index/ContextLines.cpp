#include "ContextLines.h"

#include "CharacterClasses.h"
#include "Occurrences.h"
#include "StopCheck.h"

#include <algorithm>
#include <numeric>

namespace {

// Line breaks and tabs would break the line a context is shown on.
QString shownAsOneLine(QStringView piece)
{
    QString shown = piece.toString();
    for (QChar &unit : shown) {
        if (unit == u'\t' || CharacterClasses::isLineBreak(unit.unicode()))
            unit = u' ';
    }
    return shown;
}

// Every distinct word's place in alphabetical order (by code units, as the cloud sorts).
std::vector<quint32> alphabeticalRanks(const TokenSequence &tokens)
{
    std::vector<quint32> ids(tokens.distinctCount());
    std::iota(ids.begin(), ids.end(), 0u);
    std::sort(ids.begin(), ids.end(),
              [&tokens](quint32 a, quint32 b) { return tokens.word(a) < tokens.word(b); });
    std::vector<quint32> ranks(ids.size());
    for (quint32 rank = 0; rank < ids.size(); ++rank)
        ranks[ids[rank]] = rank;
    return ranks;
}

// How far past the run the words are compared: the context shows no more than these.
constexpr quint32 comparedWords = 12;
static_assert(comparedWords % 2 == 0, "words are compared two at a time");

class RunOrder
{
public:
    RunOrder(const TokenSequence &tokens, quint32 length, ContextOrder order)
        : m_tokens(tokens)
        , m_ranks(alphabeticalRanks(tokens))
        , m_length(length)
        , m_forward(order == ContextOrder::Following)
    {}

    // The rank of the step-th word after (or before) the run, one more than any rank
    // counting from 1, 0 past either end of the text or of the run's file.
    quint64 rankAt(quint32 first, quint32 step) const
    {
        const auto [fileBegin, fileEnd] = fileOf(first);
        if (m_forward) {
            const quint64 position = quint64(first) + m_length + step;
            return position < fileEnd ? m_ranks[m_tokens.idAt(quint32(position))] + 1 : 0;
        }
        return first > fileBegin + step ? m_ranks[m_tokens.idAt(first - 1 - step)] + 1 : 0;
    }

    // The ranks of the step-th word and the next in one number.
    quint64 keyOf(quint32 first, quint32 step) const
    {
        return (rankAt(first, step) << 32) | rankAt(first, step + 1);
    }

private:
    // The tokens [begin, end) of the file that the token at position is in.
    std::pair<quint32, quint32> fileOf(quint32 position) const
    {
        const std::span<const quint32> starts = m_tokens.partStarts();
        if (starts.size() < 2)
            return {0, m_tokens.size()};
        const auto after = std::upper_bound(starts.begin(), starts.end(), position);
        return {*(after - 1), after == starts.end() ? m_tokens.size() : *after};
    }

    const TokenSequence &m_tokens;
    std::vector<quint32> m_ranks;
    quint32 m_length;
    bool m_forward;
};

} // namespace

TextSpan spanOfRun(const TokenSequence &tokens, quint32 first, quint32 length)
{
    return {tokens.textSpanAt(first).begin, tokens.textSpanAt(first + length - 1).end};
}

ContextLine contextLine(QStringView text, const TokenSequence &tokens, quint32 first,
                        quint32 length, qsizetype width, std::optional<TextSpan> file)
{
    const TextSpan span = spanOfRun(tokens, first, length);
    const qsizetype begin = file ? qsizetype(file->begin) : 0;
    const qsizetype end = file ? qsizetype(file->end) : text.size();
    qsizetype leftStart = std::max<qsizetype>(begin, qsizetype(span.begin) - width);
    if (leftStart > begin && text[leftStart].isLowSurrogate())
        ++leftStart;
    qsizetype rightEnd = std::min<qsizetype>(end, qsizetype(span.end) + width);
    if (rightEnd < end && text[rightEnd].isLowSurrogate())
        --rightEnd;
    return {shownAsOneLine(text.sliced(leftStart, span.begin - leftStart)),
            shownAsOneLine(text.sliced(span.begin, span.end - span.begin)),
            shownAsOneLine(text.sliced(span.end, rightEnd - span.end))};
}

void sortRuns(std::vector<quint32> &firsts, quint32 length, const TokenSequence &tokens,
              ContextOrder order, std::stop_token stop)
{
    if (order == ContextOrder::Text) {
        // Occurrences come in text order already: a look costs far less than a sort.
        if (!std::is_sorted(firsts.begin(), firsts.end()))
            sortPositions(firsts);
        return;
    }
    StopCheck check(std::move(stop));
    const RunOrder runOrder(tokens, length, order);
    struct Keyed
    {
        quint64 key;
        quint32 first;
    };
    std::vector<Keyed> keyed(firsts.size());
    for (std::size_t index = 0; index < keyed.size(); ++index)
        keyed[index].first = firsts[index];
    // Runs alike in the words before step are sorted by the next two, and those alike in
    // these too by the two after, and so on: each word is read once, not at every
    // comparison, where it would be a miss in the cache more often than not.
    struct Alike
    {
        std::size_t begin;
        std::size_t end;
        quint32 step;
    };
    std::vector<Alike> pending{{0, keyed.size(), 0}};
    while (!pending.empty()) {
        const Alike alike = pending.back();
        pending.pop_back();
        const auto begin = keyed.begin() + std::ptrdiff_t(alike.begin);
        const auto end = keyed.begin() + std::ptrdiff_t(alike.end);
        if (alike.step >= comparedWords) {
            std::sort(begin, end, [](const Keyed &a, const Keyed &b) { return a.first < b.first; });
            continue;
        }
        for (auto run = begin; run != end; ++run) {
            check();
            run->key = runOrder.keyOf(run->first, alike.step);
        }
        std::sort(begin, end, [&](const Keyed &a, const Keyed &b) {
            check();
            return a.key < b.key;
        });
        for (std::size_t group = alike.begin; group < alike.end;) {
            std::size_t groupEnd = group + 1;
            while (groupEnd < alike.end && keyed[groupEnd].key == keyed[group].key)
                ++groupEnd;
            if (groupEnd - group > 1)
                pending.push_back({group, groupEnd, alike.step + 2});
            group = groupEnd;
        }
    }
    for (std::size_t index = 0; index < keyed.size(); ++index)
        firsts[index] = keyed[index].first;
}
