#include "BenchInputs.h"
#include "FileParser.h"

#include <benchmark/benchmark.h>

namespace {

void runInputStrings(benchmark::State &state, const QByteArray &utf8)
{
    const QString text = QString::fromUtf8(utf8);
    for (auto _ : state) {
        FileParser parser;
        WordDictionary words = parser.inputStrings(text);
        benchmark::DoNotOptimize(words);
        benchmark::DoNotOptimize(parser.treeText().constData());
    }
    BenchInputs::setMegabytesPerSecond(state, utf8.size());
}

void BM_InputStrings_Generated10MB(benchmark::State &state)
{
    runInputStrings(state, BenchInputs::generatedText());
}
BENCHMARK(BM_InputStrings_Generated10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_InputStrings_KingJames(benchmark::State &state)
{
    if (const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state))
        runInputStrings(state, *text);
}
BENCHMARK(BM_InputStrings_KingJames)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The generated text with its Latin letters swapped for Cyrillic ones: every word
// takes the non-ASCII paths of lower-casing and classification.
void BM_InputStrings_GeneratedCyrillic10MB(benchmark::State &state)
{
    QString text = QString::fromUtf8(BenchInputs::generatedText());
    for (QChar &unit : text) {
        const char16_t c = unit.unicode();
        if (c >= u'a' && c <= u'z')
            unit = QChar(char16_t(0x430 + (c - u'a')));
        else if (c >= u'A' && c <= u'Z')
            unit = QChar(char16_t(0x410 + (c - u'A')));
    }
    runInputStrings(state, text.toUtf8());
}
BENCHMARK(BM_InputStrings_GeneratedCyrillic10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
