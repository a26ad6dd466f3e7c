// The contexts pane's dispersion strip for "the" on the 100 MB corpus (24 copies of the
// King James text cut into 1,000 files): from the word selected to its occurrences
// found, where they fall across the files and the strip painted, some 1.5 million ticks
// in a strip as wide as a contexts pane. Target: 50 ms. The first sequence of a text
// also counts each file's words, once; how many files hold a word is what the info
// panel adds for a word of the tree; and where the text's places stand in its files is
// what a corpus's analysis adds.

#include "CorpusInputs.h"
#include "DispersionStrip.h"
#include "OccurrenceSpread.h"
#include "Occurrences.h"
#include "ShortFileNames.h"
#include "TextIndex.h"
#include "TextPlaces.h"
#include "WidgetApplication.h"

#include <QImage>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int stripWidth = 800;

// From the word selected to its strip painted: its occurrences found, placed in their
// files, and the strip drawn.
void BM_StripOfThe_SelectedToPainted(benchmark::State &state)
{
    ensureWidgetApplication();
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    FileWordsMemo memo;
    // The words of each file, as counted for the text's first sequence.
    spreadOf(corpus->index, corpus->parts, {}, memo, {});
    DispersionStrip strip;
    strip.resize(stripWidth, strip.sizeHint().height());
    QImage image(strip.size(), QImage::Format_ARGB32_Premultiplied);
    std::size_t occurrences = 0;
    for (auto _ : state) {
        std::vector<quint32> firsts = occurrencesOf(*corpus->index, {u"the"_s}).firsts;
        occurrences = firsts.size();
        strip.setSpread(spreadOf(corpus->index, corpus->parts, std::move(firsts), memo, {}),
                        u"the"_s);
        strip.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["occurrences"] = double(occurrences);
}
BENCHMARK(BM_StripOfThe_SelectedToPainted)->Unit(benchmark::kMillisecond);

// What the first sequence of a text adds: each file's words counted.
void BM_StripOfThe_FileWords(benchmark::State &state)
{
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    const std::vector<quint32> firsts = occurrencesOf(*corpus->index, {u"the"_s}).firsts;
    for (auto _ : state) {
        FileWordsMemo memo;
        benchmark::DoNotOptimize(spreadOf(corpus->index, corpus->parts, firsts, memo, {}));
    }
}
BENCHMARK(BM_StripOfThe_FileWords)->Unit(benchmark::kMillisecond);

// What the info panel adds for a word pointed at in the tree, the first time: how many
// files its occurrences stand in ("the" is in every file, "lord" and "jesus" in some).
void BM_FilesHolding(benchmark::State &state, const QString &word)
{
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    quint32 files = 0;
    for (auto _ : state)
        files = filesHolding(*corpus->index, {word});
    state.counters["files"] = files;
}
BENCHMARK_CAPTURE(BM_FilesHolding, the, u"the"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilesHolding, lord, u"lord"_s)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FilesHolding, jesus, u"jesus"_s)->Unit(benchmark::kMillisecond);

// What reading a corpus in the app adds before its cloud: where each place of the text
// stands in its files, for the contexts' files and lines.
void BM_PlacesOfTheCorpus(benchmark::State &state)
{
    const IndexedCorpus *corpus = indexedCorpusOrSkip(state);
    if (!corpus)
        return;
    TextFile file;
    file.text = corpus->text;
    file.parts = corpus->parts;
    for (auto _ : state)
        benchmark::DoNotOptimize(TextPlaces(withShortNames(file), QString()));
}
BENCHMARK(BM_PlacesOfTheCorpus)->Unit(benchmark::kMillisecond);

} // namespace
