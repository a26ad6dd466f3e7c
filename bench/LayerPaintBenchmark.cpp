#include "GuiApplication.h"
#include "LayerExport.h"
#include "LayerPainter.h"
#include "TextLayer.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString wordFont = u"Futura-CondensedMedium"_s;

// Deterministic words of 3 to 10 letters.
QString syntheticWord(int index)
{
    QString word;
    unsigned state = 2654435761u * unsigned(index + 1);
    const int length = 3 + int(state % 8);
    for (int i = 0; i < length; ++i) {
        state = state * 1103515245u + 12345u;
        word += QChar(u'a' + int((state >> 16) % 26));
    }
    return word;
}

// Word layers in left-aligned rows filling a view of the given width, sizes 12 to 83.
std::unique_ptr<Layer> rowsOfWords(int count, qreal width, qreal *heightOut)
{
    const FontMetricsMeasurer measurer;
    auto root = std::make_unique<Layer>();
    std::vector<TextLayer *> words;
    qreal x = 55.0;
    qreal y = 0.0;
    qreal rowHeight = 0.0;
    for (int i = 0; i < count; ++i) {
        auto word = std::make_unique<TextLayer>();
        const qreal size = 12.0 + (i * 37 % 72);
        word->setString(
            {syntheticWord(i), wordFont, size, QColor::fromHsv(i * 47 % 360, 200, 200)});
        word->setBounds(QRectF(QPointF(0, 0), word->preferredFrameSize(measurer)));
        word->setAnchorPoint({0, 0.5});
        if (x + word->bounds().width() > width - 55.0) {
            x = 55.0;
            y += rowHeight;
            rowHeight = 0.0;
        }
        rowHeight = std::max(rowHeight, word->bounds().height());
        word->setPosition({x, -y - word->bounds().height() / 2.0});
        x += word->bounds().width() + 10.0;
        words.push_back(static_cast<TextLayer *>(root->addSublayer(std::move(word))));
    }
    const qreal height = y + rowHeight;
    for (TextLayer *word : words)
        word->setPosition(word->position() + QPointF(0, height));
    root->setFrame({0, 0, width, height});
    *heightOut = height;
    return root;
}

void BM_MeasureWords(benchmark::State &state)
{
    ensureGuiApplication();
    const FontMetricsMeasurer measurer;
    std::vector<AttributedString> strings;
    for (int i = 0; i < 1000; ++i)
        strings.push_back({syntheticWord(i), wordFont, 12.0 + (i * 37 % 72), {}});
    for (auto _ : state) {
        for (const AttributedString &string : strings)
            benchmark::DoNotOptimize(measurer.preferredSize(string));
    }
    state.SetItemsProcessed(state.iterations() * qsizetype(strings.size()));
}
BENCHMARK(BM_MeasureWords)->Unit(benchmark::kMillisecond);

// One frame of a 1000 × 700 window showing the top of a tall view of many words, at a
// device pixel ratio of range(1).
void BM_PaintVisiblePart(benchmark::State &state)
{
    ensureGuiApplication();
    qreal height = 0.0;
    const auto root = rowsOfWords(int(state.range(0)), 1000.0, &height);
    const qreal ratio = qreal(state.range(1));
    QImage frame(QSize(1000, 700) * ratio, QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);
    const QRectF visible(0.0, height - 700.0, 1000.0, 700.0);
    for (auto _ : state) {
        frame.fill(Qt::white);
        QPainter painter(&frame);
        LayerPainter::paint(painter, *root, height, visible);
    }
    state.counters["viewHeight"] = height;
}
BENCHMARK(BM_PaintVisiblePart)
    ->Args({500, 1})
    ->Args({500, 2})
    ->Args({13000, 1})
    ->Unit(benchmark::kMillisecond);

// The first frame of new layers, before any word's pixels are kept.
void BM_PaintFirstFrame(benchmark::State &state)
{
    ensureGuiApplication();
    const qreal ratio = qreal(state.range(0));
    QImage frame(QSize(1000, 700) * ratio, QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        state.PauseTiming();
        qreal height = 0.0;
        const auto root = rowsOfWords(500, 1000.0, &height);
        const QRectF visible(0.0, height - 700.0, 1000.0, 700.0);
        frame.fill(Qt::white);
        state.ResumeTiming();
        QPainter painter(&frame);
        LayerPainter::paint(painter, *root, height, visible);
    }
}
BENCHMARK(BM_PaintFirstFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ExportSvg(benchmark::State &state)
{
    ensureGuiApplication();
    qreal height = 0.0;
    const auto root = rowsOfWords(500, 1000.0, &height);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderLayersToSvg(*root, {1000.0, height}));
}
BENCHMARK(BM_ExportSvg)->Unit(benchmark::kMillisecond);

} // namespace
