#include "BenchInputs.h"
#include "IndexCache.h"
#include "SuffixArray.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "TreeGrowth.h"
#include "TreeInputs.h"
#include "VerbariumTree.h"

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Shape { AsItIs, WithoutSentenceEnds, WithoutSentenceEndsPastedTwice, Copies24 };

// Texts are made once per shape: decoding is not what is measured here.
const QString &kingJamesText(const QByteArray &utf8, Shape shape)
{
    static std::map<Shape, QString> made;
    auto found = made.find(shape);
    if (found != made.end())
        return found->second;
    QByteArray text = utf8;
    if (shape == Shape::WithoutSentenceEnds || shape == Shape::WithoutSentenceEndsPastedTwice)
        text = TreeInputs::withoutSentenceEnds(utf8);
    if (shape == Shape::WithoutSentenceEndsPastedTwice)
        text = TreeInputs::copies(text, 2);
    if (shape == Shape::Copies24)
        text = TreeInputs::copies(utf8, 24);
    return made.emplace(shape, QString::fromUtf8(text)).first->second;
}

void BM_TextIndex_KingJames(benchmark::State &state, Shape shape)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    const QString &text = kingJamesText(*utf8, shape);
    std::shared_ptr<const TextIndex> index;
    for (auto _ : state) {
        state.PauseTiming(); // freeing the last index belongs to the next analysis
        index.reset();
        state.ResumeTiming();
        index = TextIndex::build(text);
    }
    state.counters["tokens"] = double(index->size());
    state.counters["bytes/token"] = double(index->bytesUsed()) / double(index->size());
}
// Tokenising reads a long text's halves on two threads: the time is the wall clock's.
BENCHMARK_CAPTURE(BM_TextIndex_KingJames, asItIs, Shape::AsItIs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_TextIndex_KingJames, copies24, Shape::Copies24)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

// The suffix sort alone, on the tokens' ids: the largest step of building an index.
void BM_SuffixArray_KingJames(benchmark::State &state, Shape shape)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    TokenSequence tokens = tokenise(kingJamesText(*utf8, shape));
    const std::vector<quint32> ids = tokens.takeIds();
    for (auto _ : state)
        benchmark::DoNotOptimize(suffixArray(ids, tokens.distinctCount()));
    state.counters["tokens"] = double(ids.size());
}
BENCHMARK_CAPTURE(BM_SuffixArray_KingJames, asItIs, Shape::AsItIs)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SuffixArray_KingJames, copies24, Shape::Copies24)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Tokenising alone, the first step of every index. The wall clock is the time, since a
// long text's halves are read on two threads; the processor time is both threads'.
void BM_Tokenise_KingJames(benchmark::State &state, Shape shape)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    const QString &text = kingJamesText(*utf8, shape);
    TokenSequence tokens;
    for (auto _ : state) {
        state.PauseTiming();
        tokens = {};
        state.ResumeTiming();
        tokens = tokenise(text);
    }
    state.counters["tokens"] = double(tokens.size());
    state.counters["ns/token"] =
        benchmark::Counter(double(tokens.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK_CAPTURE(BM_Tokenise_KingJames, asItIs, Shape::AsItIs)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_Tokenise_KingJames, copies24, Shape::Copies24)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(3);

void BM_GrowTree_KingJames(benchmark::State &state, Shape shape, const QString &word)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    const auto index = TextIndex::build(kingJamesText(*utf8, shape));
    std::shared_ptr<const VerbariumTree> tree;
    for (auto _ : state) {
        state.PauseTiming(); // freeing the tree belongs to the next start, not this one
        tree.reset();
        state.ResumeTiming();
        tree = growTree(index, word);
    }
    state.counters["segments"] = double(tree->segments().size());
    state.counters["leaves"] = double(tree->countOfLeaves(tree->root()));
}
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, the, Shape::AsItIs, u"the"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, and, Shape::AsItIs, u"and"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, theWithoutSentenceEnds, Shape::WithoutSentenceEnds,
                  u"the"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, lordWithoutSentenceEndsPastedTwice,
                  Shape::WithoutSentenceEndsPastedTwice, u"lord"_s)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GrowTree_KingJames, theIn24Copies, Shape::Copies24, u"the"_s)
    ->Unit(benchmark::kMillisecond);

// A choice on one side of both sides: the trees after and before the start with the
// chosen words, grown as the app grows them, one after the other in one job.
void BM_BothSidesLinkedChoice_KingJames(benchmark::State &state, Shape shape,
                                        const QStringList &phrase)
{
    const QByteArray *utf8 = BenchInputs::kingJamesTextOrSkip(state);
    if (!utf8)
        return;
    const auto forward = TextIndex::build(kingJamesText(*utf8, shape));
    const auto backward = indexBefore(forward, {});
    std::shared_ptr<const VerbariumTree> after;
    std::shared_ptr<const VerbariumTree> before;
    for (auto _ : state) {
        state.PauseTiming();
        after.reset();
        before.reset();
        state.ResumeTiming();
        after = growTree(forward, phrase);
        before = growTree(backward, phrase);
    }
    state.counters["occurrences"] = double(after->occurrences());
    state.counters["segments"] = double(after->segments().size() + before->segments().size());
}
// "hath" chosen after "the lord", and "and" chosen before it.
BENCHMARK_CAPTURE(BM_BothSidesLinkedChoice_KingJames, theLordHathIn24Copies, Shape::Copies24,
                  QStringList{u"the"_s, u"lord"_s, u"hath"_s})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BothSidesLinkedChoice_KingJames, andTheLordIn24Copies, Shape::Copies24,
                  QStringList{u"and"_s, u"the"_s, u"lord"_s})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BothSidesLinkedChoice_KingJames, theIn24Copies, Shape::Copies24,
                  QStringList{u"the"_s})
    ->Unit(benchmark::kMillisecond);

// "the " a million times: every walk shares the whole rest of the text.
void BM_GrowTree_OneWordRepeated(benchmark::State &state)
{
    const auto index = TextIndex::build(u"the "_s.repeated(1'000'000));
    for (auto _ : state)
        benchmark::DoNotOptimize(growTree(index, u"the"_s));
}
BENCHMARK(BM_GrowTree_OneWordRepeated)->Unit(benchmark::kMillisecond);

void BM_GrowTree_Generated(benchmark::State &state)
{
    const auto index = TextIndex::build(QString::fromUtf8(BenchInputs::generatedText()));
    for (auto _ : state)
        benchmark::DoNotOptimize(growTree(index, u"the"_s));
}
BENCHMARK(BM_GrowTree_Generated)->Unit(benchmark::kMillisecond);

} // namespace
