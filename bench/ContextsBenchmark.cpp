// What a click in the verbarium asks of the index of the 100 MB text (24 copies of the
// King James text): the tree of a phrase, and the contexts pane's lines for a node.

#include "BenchInputs.h"
#include "ContextLines.h"
#include "Occurrences.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "TreeInputs.h"
#include "VerbariumTree.h"

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The text as the app holds it, its index, and the index of the words before, made once:
// building them is what tree-bench and indexes-peak-memory measure.
struct IndexedText
{
    QString text;
    std::shared_ptr<const TextIndex> forward;
    std::shared_ptr<const TextIndex> backward;
};

const IndexedText *indexedTextOrSkip(benchmark::State &state)
{
    static const std::optional<IndexedText> made = []() -> std::optional<IndexedText> {
        const auto &utf8 = BenchInputs::kingJamesText();
        if (!utf8)
            return std::nullopt;
        IndexedText indexed{QString::fromUtf8(TreeInputs::copies(*utf8, 24)), nullptr, nullptr};
        indexed.forward = TextIndex::build(indexed.text);
        indexed.backward = TextIndex::build(indexed.forward->tokens().reversed());
        return indexed;
    }();
    if (!made) {
        BenchInputs::kingJamesTextOrSkip(state);
        return nullptr;
    }
    return &*made;
}

// The app's first screen of contexts and the pane's width of context.
constexpr quint32 linesOnScreen = 40;
constexpr qsizetype contextWidth = 80;

// In reading order, before or after.
const QStringList theLord{u"the"_s, u"lord"_s};

// Target: 50 ms once the index is there.
void BM_PhraseTree_TheLord(benchmark::State &state, bool before)
{
    const IndexedText *indexed = indexedTextOrSkip(state);
    if (!indexed)
        return;
    const auto &index = before ? indexed->backward : indexed->forward;
    std::shared_ptr<const VerbariumTree> tree;
    for (auto _ : state) {
        state.PauseTiming(); // freeing the last tree belongs to the next start
        tree.reset();
        state.ResumeTiming();
        tree = growTree(index, theLord);
    }
    state.counters["occurrences"] = double(tree->occurrences());
    state.counters["segments"] = double(tree->segments().size());
}
BENCHMARK_CAPTURE(BM_PhraseTree_TheLord, after, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PhraseTree_TheLord, before, true)->Unit(benchmark::kMillisecond);

// From a click on a node to the lines of the pane's first screen, in text order.
// Target: 100 ms.
void BM_ContextsFirstScreen(benchmark::State &state, QStringList sequence)
{
    const IndexedText *indexed = indexedTextOrSkip(state);
    if (!indexed)
        return;
    const TokenSequence &tokens = indexed->forward->tokens();
    Occurrences found;
    for (auto _ : state) {
        found = occurrencesOf(*indexed->forward, sequence);
        sortRuns(found.firsts, found.length, tokens, ContextOrder::Text);
        const auto shown = std::min<std::size_t>(found.firsts.size(), linesOnScreen);
        for (std::size_t row = 0; row < shown; ++row)
            benchmark::DoNotOptimize(
                contextLine(indexed->text, tokens, found.firsts[row], found.length, contextWidth));
    }
    state.counters["lines"] = double(found.firsts.size());
}
BENCHMARK_CAPTURE(BM_ContextsFirstScreen, the, QStringList{u"the"_s})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ContextsFirstScreen, theLordHath, QStringList{u"the"_s, u"lord"_s, u"hath"_s})
    ->Unit(benchmark::kMillisecond);

// The parts of the first screen: the occurrences alone, then the lines made from them.
void BM_OccurrencesOfThe(benchmark::State &state)
{
    const IndexedText *indexed = indexedTextOrSkip(state);
    if (!indexed)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(occurrencesOf(*indexed->forward, {u"the"_s}));
}
BENCHMARK(BM_OccurrencesOfThe)->Unit(benchmark::kMillisecond);

void BM_ContextLinesOfAScreen(benchmark::State &state)
{
    const IndexedText *indexed = indexedTextOrSkip(state);
    if (!indexed)
        return;
    const Occurrences found = occurrencesOf(*indexed->forward, {u"the"_s});
    const std::size_t middle = found.firsts.size() / 2; // far from the cache of the first
    for (auto _ : state) {
        for (std::size_t row = middle; row < middle + linesOnScreen; ++row)
            benchmark::DoNotOptimize(contextLine(indexed->text, indexed->forward->tokens(),
                                                 found.firsts[row], 1, contextWidth));
    }
}
BENCHMARK(BM_ContextLinesOfAScreen)->Unit(benchmark::kMicrosecond);

// Re-sorting every line of "the" on the pane's worker. Target: 1 s.
void BM_SortRunsOfThe(benchmark::State &state, ContextOrder order)
{
    const IndexedText *indexed = indexedTextOrSkip(state);
    if (!indexed)
        return;
    const Occurrences found = occurrencesOf(*indexed->forward, {u"the"_s});
    std::vector<quint32> firsts;
    for (auto _ : state) {
        state.PauseTiming();
        firsts = found.firsts;
        state.ResumeTiming();
        sortRuns(firsts, found.length, indexed->forward->tokens(), order);
    }
    state.counters["lines"] = double(firsts.size());
}
BENCHMARK_CAPTURE(BM_SortRunsOfThe, following, ContextOrder::Following)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRunsOfThe, preceding, ContextOrder::Preceding)
    ->Unit(benchmark::kMillisecond);

} // namespace
