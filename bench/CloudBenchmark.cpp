#include "BenchInputs.h"
#include "CloudBuilder.h"
#include "CloudRowLayout.h"
#include "GuiApplication.h"
#include "LayerPainter.h"
#include "TextLayer.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "WordColor.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSizeF visibleArea(800, 600);

const WordDictionary *kingJamesDictionaryOrSkip(benchmark::State &state)
{
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return nullptr;
    static const WordDictionary dictionary = cloudWordsOfTokens(tokenise(QString::fromUtf8(*text)));
    return &dictionary;
}

BuiltCloud fittedCloud(const WordDictionary &dictionary, const TextMeasurer &measurer)
{
    StdRandomSource random;
    BuiltCloud cloud = buildCloudLayers(dictionary, measurer, random);
    fitCloudToView(cloud, float(visibleArea.width()), visibleArea);
    return cloud;
}

void BM_CloudBuildAndFit_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const WordDictionary *dictionary = kingJamesDictionaryOrSkip(state);
    if (!dictionary)
        return;
    const FontMetricsMeasurer measurer;
    for (auto _ : state) {
        BuiltCloud cloud = fittedCloud(*dictionary, measurer);
        benchmark::DoNotOptimize(cloud.layers.data());
    }
    state.counters["words"] = static_cast<double>(dictionary->size());
}
BENCHMARK(BM_CloudBuildAndFit_KingJames)->Unit(benchmark::kMillisecond);

// The largest dictionary the analysis can return: 200 count groups, the g-th
// contributing 200 − g words, 20100 words in all.
const WordDictionary &largestDictionary()
{
    static const WordDictionary dictionary = [] {
        WordDictionary words;
        int serial = 0;
        for (int group = 0; group < 200; ++group) {
            for (int i = 0; i < 200 - group; ++i)
                words.insert(u"w%1x"_s.arg(serial++, 0, 36), 1000 - group);
        }
        return words;
    }();
    return dictionary;
}

void BM_CloudBuildAndFit_LargestDictionary(benchmark::State &state)
{
    ensureGuiApplication();
    const FontMetricsMeasurer measurer;
    for (auto _ : state) {
        BuiltCloud cloud = fittedCloud(largestDictionary(), measurer);
        benchmark::DoNotOptimize(cloud.layers.data());
    }
    state.counters["words"] = static_cast<double>(largestDictionary().size());
}
BENCHMARK(BM_CloudBuildAndFit_LargestDictionary)->Unit(benchmark::kMillisecond);

void BM_CloudRefit_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const WordDictionary *dictionary = kingJamesDictionaryOrSkip(state);
    if (!dictionary)
        return;
    const FontMetricsMeasurer measurer;
    BuiltCloud cloud = fittedCloud(*dictionary, measurer);
    // Alternate widths so every refit reflows the rows.
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        const QSizeF size(wide ? 1024 : 800, 600);
        benchmark::DoNotOptimize(fitCloudToView(cloud, float(size.width()), size));
    }
}
BENCHMARK(BM_CloudRefit_KingJames)->Unit(benchmark::kMicrosecond);

void BM_CloudPaintVisible_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const WordDictionary *dictionary = kingJamesDictionaryOrSkip(state);
    if (!dictionary)
        return;
    const FontMetricsMeasurer measurer;
    const BuiltCloud cloud = fittedCloud(*dictionary, measurer);
    const qreal viewHeight = cloud.root->bounds().height();
    const QRectF visibleTop(0, viewHeight - visibleArea.height(), visibleArea.width(),
                            visibleArea.height());
    QImage image(visibleArea.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        LayerPainter::paint(painter, *cloud.root, viewHeight, visibleTop);
    }
}
BENCHMARK(BM_CloudPaintVisible_KingJames)->Unit(benchmark::kMillisecond);

} // namespace
