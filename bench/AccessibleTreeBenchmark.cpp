// How long screen readers wait for the words: the accessible tree of a 200-word cloud
// and of the verbarium of "the" in the King James text, built anew and read whole
// (every item's name, description and place), as a screen reader reads a window.
#include "BenchInputs.h"
#include "TextAnalysis.h"
#include "TextIndex.h"
#include "VerbariumController.h"
#include "VerbariumView.h"
#include "WidgetApplication.h"
#include "WordCloudView.h"

#include <QAccessible>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reads an item and everything below it; returns how many items there were.
int readAll(QAccessibleInterface *item)
{
    benchmark::DoNotOptimize(item->text(QAccessible::Name));
    benchmark::DoNotOptimize(item->text(QAccessible::Description));
    benchmark::DoNotOptimize(item->rect());
    benchmark::DoNotOptimize(item->state());
    int items = 1;
    for (int i = 0; i < item->childCount(); ++i)
        items += readAll(item->child(i));
    return items;
}

// One reading from scratch: the view's interface and its items are made anew.
void readFromScratch(benchmark::State &state, QWidget &view)
{
    int items = 0;
    for (auto _ : state) {
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&view);
        items = readAll(root);
        state.PauseTiming();
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(root));
        state.ResumeTiming();
    }
    state.counters["items"] = items;
}

void BM_AccessibleCloud_200Words(benchmark::State &state)
{
    ensureWidgetApplication();
    WordDictionary words;
    for (int i = 0; i < 200; ++i)
        words.insert(u"word"_s + QString::number(i), 1 + (i * 37) % 500);
    WordCloudView view;
    view.resize(800, 600);
    const FontMetricsMeasurer measurer;
    view.buildCloud(std::make_shared<const CloudContent>(
        makeCloudContent(TextAnalysis{QString(), words, nullptr}, {}, measurer)));
    readFromScratch(state, view);
}
BENCHMARK(BM_AccessibleCloud_200Words)->Unit(benchmark::kMillisecond);

void BM_AccessibleVerbarium_KingJamesThe(benchmark::State &state)
{
    ensureWidgetApplication();
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return;
    VerbariumView view;
    view.resize(900, 560);
    VerbariumController controller;
    controller.serve(&view);
    controller.beginText();
    controller.setIndex(TextIndex::build(QString::fromUtf8(*text)));
    view.startWithWord(u"the"_s);
    while (!view.picture() || controller.requests().work() != TreeRequests::Work::None)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    readFromScratch(state, view);
}
BENCHMARK(BM_AccessibleVerbarium_KingJamesThe)->Unit(benchmark::kMillisecond);

} // namespace
