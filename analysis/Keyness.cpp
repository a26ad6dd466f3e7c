#include "Keyness.h"

#include <algorithm>
#include <cmath>

namespace {

// A zero count's stand-in in the ratio.
constexpr double zeroCount = 0.5;

double term(qsizetype observed, double expected)
{
    return observed == 0 ? 0.0 : double(observed) * std::log(double(observed) / expected);
}

} // namespace

double logLikelihood(qsizetype a, qsizetype b, qsizetype c, qsizetype d)
{
    const double both = double(a + b);
    const double all = double(c + d);
    const double expectedA = double(c) * both / all;
    const double expectedB = double(d) * both / all;
    return 2.0 * (term(a, expectedA) + term(b, expectedB));
}

double logRatio(qsizetype a, qsizetype b, qsizetype c, qsizetype d)
{
    const double inA = a == 0 ? zeroCount : double(a);
    const double inB = b == 0 ? zeroCount : double(b);
    return std::log2((inA / double(c)) / (inB / double(d)));
}

qsizetype wordsCounted(const CountedSet &words)
{
    qsizetype total = 0;
    for (const CountedSet::Entry &entry : words)
        total += entry.count;
    return total;
}

std::vector<KeywordRow> compareWordCounts(const CountedSet &a, const CountedSet &b)
{
    const qsizetype wordsA = wordsCounted(a);
    const qsizetype wordsB = wordsCounted(b);
    std::vector<KeywordRow> rows;
    rows.reserve(std::size_t(a.size() + b.size()));
    const auto addRow = [&](const QString &word, qsizetype countA, qsizetype countB) {
        rows.push_back({word, countA, countB, logLikelihood(countA, countB, wordsA, wordsB),
                        logRatio(countA, countB, wordsA, wordsB)});
    };
    for (const CountedSet::Entry &entry : a)
        addRow(entry.word, entry.count, b.countFor(entry.word));
    for (const CountedSet::Entry &entry : b)
        if (a.countFor(entry.word) == 0)
            addRow(entry.word, 0, entry.count);
    std::sort(rows.begin(), rows.end(), [](const KeywordRow &first, const KeywordRow &second) {
        return first.logLikelihood != second.logLikelihood
                   ? first.logLikelihood > second.logLikelihood
                   : first.word < second.word;
    });
    return rows;
}
