// Where "the" falls across the 100 MB corpus (24 copies of the King James text cut into
// 1,000 files at line ends): some 1.5 million occurrences placed in their files, and the
// strip drawn with a tick for each pixel column that holds one. Target: 50 ms for both.

#include "CorpusInputs.h"
#include "Dispersion.h"
#include "DispersionLayers.h"
#include "GuiApplication.h"
#include "Layer.h"
#include "LayerExport.h"
#include "Occurrences.h"
#include "TextIndex.h"
#include "TextLayer.h"

#include <QImage>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The strip as wide as a contexts pane, on a screen of two pixels a point.
constexpr qreal stripWidth = 800;
constexpr int pixelsPerPoint = 2;

Dispersion dispersionOfThe(const IndexedCorpus &corpus)
{
    return dispersionOf(corpus.index->tokens(), corpus.parts,
                        occurrencesOf(*corpus.index, {u"the"_s}).firsts);
}

// From the index to every occurrence placed in its file.
void BM_DispersionOfThe_Placed(benchmark::State &state)
{
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    std::size_t occurrences = 0;
    for (auto _ : state)
        occurrences = dispersionOfThe(*corpus).positions.size();
    state.counters["occurrences"] = double(occurrences);
    state.counters["files"] = double(corpus->parts.size());
}
BENCHMARK(BM_DispersionOfThe_Placed)->Unit(benchmark::kMillisecond);

// From the placed occurrences to the strip's pixels.
void BM_DispersionOfThe_Drawn(benchmark::State &state)
{
    ensureGuiApplication();
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    const Dispersion dispersion = dispersionOfThe(*corpus);
    const FontMetricsMeasurer measurer;
    for (auto _ : state) {
        const DispersionPicture picture =
            dispersionPicture(dispersion, u"the"_s, stripWidth, pixelsPerPoint, measurer);
        const QImage image = renderLayersToImage(*picture.root, picture.size, pixelsPerPoint);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DispersionOfThe_Drawn)->Unit(benchmark::kMillisecond);

} // namespace
