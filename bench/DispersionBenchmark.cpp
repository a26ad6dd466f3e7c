// Where "the" falls across the 100 MB corpus (24 copies of the King James text cut into
// 1,000 files at line ends): some 1.5 million occurrences placed in their files, and the
// strip drawn with a tick for each pixel column that holds one. Target: 50 ms for both.

#include "BenchInputs.h"
#include "Dispersion.h"
#include "DispersionLayers.h"
#include "GuiApplication.h"
#include "Layer.h"
#include "LayerExport.h"
#include "Occurrences.h"
#include "TextIndex.h"
#include "TextLayer.h"
#include "Tokeniser.h"
#include "TreeInputs.h"

#include <QImage>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int files = 1000;
// The strip as wide as a contexts pane, on a screen of two pixels a point.
constexpr qreal stripWidth = 800;
constexpr int pixelsPerPoint = 2;

struct IndexedCorpus
{
    std::vector<TextPart> parts;
    std::shared_ptr<const TextIndex> index;
};

const IndexedCorpus *indexedCorpusOrSkip(benchmark::State &state)
{
    static const std::optional<IndexedCorpus> made = []() -> std::optional<IndexedCorpus> {
        const auto &utf8 = BenchInputs::kingJamesText();
        if (!utf8)
            return std::nullopt;
        const QString text = QString::fromUtf8(TreeInputs::copies(*utf8, 24));
        IndexedCorpus corpus;
        std::vector<TextSpan> spans;
        const qsizetype perFile = text.size() / files;
        for (qsizetype start = 0; start < text.size();) {
            qsizetype end = start + perFile >= text.size()
                                ? text.size()
                                : text.indexOf(u'\n', start + perFile) + 1;
            if (end <= 0)
                end = text.size();
            corpus.parts.push_back(
                {u"part-%1.txt"_s.arg(qulonglong(corpus.parts.size()), 5, 10, QChar(u'0')),
                 quint32(start), quint32(end - start)});
            spans.push_back({quint32(start), quint32(end)});
            start = end;
        }
        corpus.index = TextIndex::build(tokenise(text, spans));
        return corpus;
    }();
    if (!made) {
        BenchInputs::kingJamesTextOrSkip(state);
        return nullptr;
    }
    return &*made;
}

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
