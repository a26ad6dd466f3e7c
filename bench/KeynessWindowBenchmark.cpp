// What the keyness window adds to a comparison: the keyness cloud's words chosen and
// measured (on the worker) for the King James text against the generated 10 MB text,
// and the window's table filled with 30,000 words, sorted and painted (on the window's
// thread, where a pause would show).
#include "BenchInputs.h"
#include "KeynessComparison.h"
#include "KeynessWindow.h"
#include "TextLayer.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "WidgetApplication.h"

#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

CountedSet countedWordsOf(QByteArrayView utf8)
{
    return wordsOfTokens(tokenise(QString::fromUtf8(utf8)));
}

void BM_KeynessCloud_KingJamesAgainstGeneratedText(benchmark::State &state)
{
    ensureWidgetApplication();
    const QByteArray *kingJames = BenchInputs::kingJamesTextOrSkip(state);
    if (!kingJames)
        return;
    static const std::vector<KeywordRow> rows =
        compareWordCounts(countedWordsOf(*kingJames), countedWordsOf(BenchInputs::generatedText()));
    const FontMetricsMeasurer measurer;
    qsizetype shown = 0;
    for (auto _ : state)
        shown = makeKeynessCloudContent(rows, Significance::p01, {}, measurer, {u"a"_s, u"b"_s})
                    .measured.words.size();
    state.counters["words"] = double(shown);
}
BENCHMARK(BM_KeynessCloud_KingJamesAgainstGeneratedText)->Unit(benchmark::kMillisecond);

// words different words, most of each text's own, in the order a comparison gives.
std::shared_ptr<const KeynessTable> tableOf(int words)
{
    auto table = std::make_shared<KeynessTable>();
    table->wordsA = 800'000;
    table->wordsB = 1'700'000;
    table->names = {u"kjv.txt"_s, u"other.txt"_s};
    for (qsizetype i = 0; i < words; ++i) {
        const qsizetype a = (i * 7919) % 2000;
        const qsizetype b = (i * 104'729) % 3000;
        table->rows.push_back({u"word%1"_s.arg(i), a, b,
                               logLikelihood(a, b, table->wordsA, table->wordsB),
                               logRatio(a, b, table->wordsA, table->wordsB)});
    }
    std::sort(table->rows.begin(), table->rows.end(), [](const auto &first, const auto &second) {
        return first.logLikelihood > second.logLikelihood;
    });
    return table;
}

void BM_KeynessTable_Fill30000Words(benchmark::State &state)
{
    ensureWidgetApplication();
    static const std::shared_ptr<const KeynessTable> table = tableOf(30'000);
    KeynessWindow window;
    window.show();
    for (auto _ : state) {
        window.showTable(table);
        window.tableView()->viewport()->repaint();
    }
    state.counters["rows"] = double(window.tableView()->model()->rowCount());
}
BENCHMARK(BM_KeynessTable_Fill30000Words)->Unit(benchmark::kMillisecond);

} // namespace
