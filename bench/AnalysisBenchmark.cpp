#include "BenchInputs.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "TreeText.h"

#include <benchmark/benchmark.h>

namespace {

// The two ways a text is counted: the tokens with the words counted from them (the app,
// the cloud, the counts command's CSV), and the same from the tree text made first (the
// counts command's JSON).
enum class Way { TreeText, Tokens };

void runAnalysis(benchmark::State &state, Way way, const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    for (auto _ : state) {
        const QString tokenised = way == Way::TreeText ? treeText(text) : text;
        WordDictionary words = cloudWordsOfTokens(tokenise(tokenised));
        benchmark::DoNotOptimize(words);
    }
    BenchInputs::setMegabytesPerSecond(state, utf8.size());
}

void BM_Analysis_Generated10MB(benchmark::State &state, Way way)
{
    runAnalysis(state, way, BenchInputs::generatedText());
}
BENCHMARK_CAPTURE(BM_Analysis_Generated10MB, treeText, Way::TreeText)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Analysis_Generated10MB, tokens, Way::Tokens)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

void BM_Analysis_KingJames(benchmark::State &state, Way way)
{
    if (const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state))
        runAnalysis(state, way, *text);
}
BENCHMARK_CAPTURE(BM_Analysis_KingJames, treeText, Way::TreeText)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Analysis_KingJames, tokens, Way::Tokens)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

// The generated text with its Latin letters swapped for Cyrillic ones: every word
// takes the non-ASCII paths of lower-casing and classification.
void BM_Analysis_GeneratedCyrillic10MB(benchmark::State &state, Way way)
{
    QString text = QString::fromUtf8(BenchInputs::generatedText());
    for (QChar &unit : text) {
        const char16_t c = unit.unicode();
        if (c >= u'a' && c <= u'z')
            unit = QChar(char16_t(0x430 + (c - u'a')));
        else if (c >= u'A' && c <= u'Z')
            unit = QChar(char16_t(0x410 + (c - u'A')));
    }
    runAnalysis(state, way, text.toUtf8());
}
BENCHMARK_CAPTURE(BM_Analysis_GeneratedCyrillic10MB, treeText, Way::TreeText)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Analysis_GeneratedCyrillic10MB, tokens, Way::Tokens)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

void BM_DecodeUtf8_KingJames(benchmark::State &state)
{
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(QString::fromUtf8(*text));
    BenchInputs::setMegabytesPerSecond(state, text->size());
}
BENCHMARK(BM_DecodeUtf8_KingJames)->Unit(benchmark::kMillisecond);

} // namespace
