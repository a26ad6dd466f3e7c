#include "BenchInputs.h"
#include "FileParser.h"
#include "TokenWords.h"
#include "Tokeniser.h"

#include <benchmark/benchmark.h>

namespace {

// The two ways a text is analysed: the parser, which also gives the tree text (the
// counts command), and the tokens with the words counted from them (the app, the cloud).
enum class Way { Parser, Tokens };

void runAnalysis(benchmark::State &state, Way way, const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    for (auto _ : state) {
        if (way == Way::Parser) {
            FileParser parser;
            WordDictionary words = parser.inputStrings(text);
            benchmark::DoNotOptimize(words);
            benchmark::DoNotOptimize(parser.treeText().constData());
        } else {
            const TokenSequence tokens = tokenise(text);
            WordDictionary words = cloudWordsOfTokens(tokens);
            benchmark::DoNotOptimize(words);
        }
    }
    BenchInputs::setMegabytesPerSecond(state, utf8.size());
}

void BM_Analysis_Generated10MB(benchmark::State &state, Way way)
{
    runAnalysis(state, way, BenchInputs::generatedText());
}
BENCHMARK_CAPTURE(BM_Analysis_Generated10MB, parser, Way::Parser)
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
BENCHMARK_CAPTURE(BM_Analysis_KingJames, parser, Way::Parser)
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
BENCHMARK_CAPTURE(BM_Analysis_GeneratedCyrillic10MB, parser, Way::Parser)
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
