#include "BenchInputs.h"
#include "FileParser.h"
#include "GuiApplication.h"
#include "Layer.h"
#include "LayerPainter.h"
#include "TextIndex.h"
#include "TextLayer.h"
#include "TreeGrowth.h"
#include "VerbariumLayers.h"
#include "VerbariumLayout.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSizeF viewSize(800, 600);

std::shared_ptr<const VerbariumTree> kingJamesTreeOrSkip(benchmark::State &state,
                                                         const QString &word)
{
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return nullptr;
    FileParser parser;
    parser.inputStrings(QString::fromUtf8(*text));
    return growTree(TextIndex::build(parser.treeText()), word);
}

void BM_VerbariumDisplayFromRoot_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    std::size_t layers = 0;
    for (auto _ : state) {
        // Every display starts from the same frame, as a redisplay in a window would.
        const VerbariumPicture picture = layout.displayVerbariumFromNode(
            tree, tree->root(), QRectF(QPointF(0, 0), viewSize), viewSize);
        const auto root = verbariumLayers(picture, picture.viewSize);
        layers = root->sublayers().size();
    }
    state.counters["layers"] = double(layers);
}
BENCHMARK(BM_VerbariumDisplayFromRoot_KingJames)->Unit(benchmark::kMillisecond);

// What a click costs on screen: the new layout and the first paint of the window's
// part of the view.
void BM_VerbariumDisplayAndPaint_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const VerbariumPicture picture = layout.displayVerbariumFromNode(
            tree, tree->root(), QRectF(QPointF(0, 0), viewSize), viewSize);
        const QSizeF frame = picture.viewSize;
        const auto root = verbariumLayers(picture, frame);
        // The window shows the top of the view.
        const QRectF visible(0, frame.height() - viewSize.height(), viewSize.width(),
                             viewSize.height());
        image.fill(Qt::white);
        QPainter painter(&image);
        LayerPainter::paint(painter, *root, frame.height(), visible);
    }
}
BENCHMARK(BM_VerbariumDisplayAndPaint_KingJames)->Unit(benchmark::kMillisecond);

// Room for every word: the layout of "the" and its layers, many windows tall.
void BM_VerbariumSpreadDisplay_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    QSizeF frame;
    for (auto _ : state) {
        const VerbariumPicture picture =
            layout.spreadVerbariumFromNode(tree, tree->root(), viewSize);
        const auto root = verbariumLayers(picture, picture.viewSize);
        frame = picture.viewSize;
    }
    state.counters["height"] = frame.height();
}
BENCHMARK(BM_VerbariumSpreadDisplay_KingJames)->Unit(benchmark::kMillisecond);

// Its first paint: the window's part around the start word, where the view scrolls to,
// from layers that have never been painted.
void BM_VerbariumSpreadFirstPaint_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumPicture picture =
        VerbariumLayout(measurer).spreadVerbariumFromNode(tree, tree->root(), viewSize);
    const QSizeF frame = picture.viewSize;
    const QRectF visible(0, picture.words.front().position.y() - viewSize.height() / 2,
                         viewSize.width(), viewSize.height());
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        state.PauseTiming();
        const auto root = verbariumLayers(picture, frame);
        state.ResumeTiming();
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, -(frame.height() - visible.bottom()));
        LayerPainter::paint(painter, *root, frame.height(), visible);
    }
}
BENCHMARK(BM_VerbariumSpreadFirstPaint_KingJames)->Unit(benchmark::kMillisecond);

} // namespace
