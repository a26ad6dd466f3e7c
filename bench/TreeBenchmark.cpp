#include "BenchInputs.h"
#include "TreeInputs.h"
#include "TreeText.h"

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void growTrees(benchmark::State &state, const QString &treeText, const QString &word)
{
    const TreeText text(treeText);
    for (auto _ : state) {
        std::shared_ptr<Node> root = text.growTree(word);
        benchmark::DoNotOptimize(root.get());
        state.PauseTiming(); // freeing the tree belongs to the next start, not this one
        root.reset();
        state.ResumeTiming();
    }
}

void BM_TreeText_KingJames(benchmark::State &state)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    const QString treeText = TreeInputs::treeTextOf(*utf8);
    for (auto _ : state)
        benchmark::DoNotOptimize(TreeText(treeText));
    BenchInputs::setMegabytesPerSecond(state, utf8->size());
}
BENCHMARK(BM_TreeText_KingJames)->Unit(benchmark::kMillisecond);

void BM_GrowTree_KingJames(benchmark::State &state, const QString &word)
{
    if (const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state))
        growTrees(state, TreeInputs::treeTextOf(*utf8), word);
}
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, the, u"the"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, and, u"and"_s)->Unit(benchmark::kMillisecond);

void BM_GrowTree_KingJamesWithoutSentenceEnds(benchmark::State &state, const QString &word)
{
    if (const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state))
        growTrees(state, TreeInputs::treeTextOf(TreeInputs::withoutSentenceEnds(*utf8)), word);
}
BENCHMARK_CAPTURE(BM_GrowTree_KingJamesWithoutSentenceEnds, the, u"the"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJamesWithoutSentenceEnds, and, u"and"_s)
    ->Unit(benchmark::kMillisecond);

void BM_GrowTree_Generated(benchmark::State &state)
{
    growTrees(state, TreeInputs::treeTextOf(BenchInputs::generatedText()), u"the"_s);
}
BENCHMARK(BM_GrowTree_Generated)->Unit(benchmark::kMillisecond);

} // namespace
