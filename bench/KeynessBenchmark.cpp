#include "BenchInputs.h"
#include "Keyness.h"
#include "TokenWords.h"
#include "Tokeniser.h"

#include <benchmark/benchmark.h>

namespace {

CountedSet countedWordsOf(QByteArrayView utf8)
{
    return wordsOfTokens(tokenise(QString::fromUtf8(utf8)));
}

// What Compare With… does once both texts are analysed.
void compareCountedWords(benchmark::State &state, const CountedSet &a, const CountedSet &b)
{
    for (auto _ : state) {
        std::vector<KeywordRow> rows = compareWordCounts(a, b);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["words"] = double(a.size() + b.size());
}

void BM_Keyness_KingJamesAgainstGeneratedText(benchmark::State &state)
{
    const QByteArray *kingJames = BenchInputs::kingJamesTextOrSkip(state);
    if (!kingJames)
        return;
    static const CountedSet a = countedWordsOf(*kingJames);
    static const CountedSet b = countedWordsOf(BenchInputs::generatedText());
    compareCountedWords(state, a, b);
}
BENCHMARK(BM_Keyness_KingJamesAgainstGeneratedText)->Unit(benchmark::kMillisecond);

void BM_Keyness_HalvesOfGeneratedText(benchmark::State &state)
{
    const QByteArray &text = BenchInputs::generatedText();
    const qsizetype middle = text.indexOf(' ', text.size() / 2);
    static const CountedSet a = countedWordsOf(QByteArrayView(text).first(middle));
    static const CountedSet b = countedWordsOf(QByteArrayView(text).sliced(middle));
    compareCountedWords(state, a, b);
}
BENCHMARK(BM_Keyness_HalvesOfGeneratedText)->Unit(benchmark::kMillisecond);

} // namespace
