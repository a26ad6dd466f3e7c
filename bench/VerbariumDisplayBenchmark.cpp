#include "BenchInputs.h"
#include "BothSidesPicture.h"
#include "GuiApplication.h"
#include "IndexCache.h"
#include "Layer.h"
#include "LayerPainter.h"
#include "PictureOutline.h"
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
    return growTree(TextIndex::build(QString::fromUtf8(*text)), word);
}

// The layout a window makes from the root of tree: bands in proportion to the leaves,
// or with room for every word (spread).
VerbariumPicture layOut(const VerbariumLayout &layout,
                        const std::shared_ptr<const VerbariumTree> &tree, bool spread)
{
    // Every display starts from the same frame, as a redisplay in a window would.
    return spread ? layout.spreadVerbariumFromNode(tree, tree->root(), viewSize)
                  : layout.displayVerbariumFromNode(tree, tree->root(),
                                                    QRectF(QPointF(0, 0), viewSize), viewSize);
}

void BM_VerbariumDisplayFromRoot_KingJames(benchmark::State &state, bool spread)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    std::size_t layers = 0;
    QSizeF frame;
    for (auto _ : state) {
        const VerbariumPicture picture = layOut(layout, tree, spread);
        const auto root = verbariumLayers(picture, picture.viewSize);
        layers = root->sublayers().size();
        frame = picture.viewSize;
    }
    state.counters["layers"] = double(layers);
    state.counters["height"] = frame.height();
}
BENCHMARK_CAPTURE(BM_VerbariumDisplayFromRoot_KingJames, bands, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VerbariumDisplayFromRoot_KingJames, spread, true)
    ->Unit(benchmark::kMillisecond);

// What a click costs on screen: the new layout and the first paint of the window's
// part of the view: its top, or with room for every word the start word's
// surroundings, where the view scrolls to.
void BM_VerbariumDisplayAndPaint_KingJames(benchmark::State &state, bool spread)
{
    ensureGuiApplication();
    const auto tree = kingJamesTreeOrSkip(state, u"the"_s);
    if (!tree)
        return;
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const VerbariumPicture picture = layOut(layout, tree, spread);
        const QSizeF frame = picture.viewSize;
        const auto root = verbariumLayers(picture, frame);
        const double top =
            spread ? picture.words.front().position.y() + viewSize.height() / 2 : frame.height();
        const QRectF visible(0, top - viewSize.height(), viewSize.width(), viewSize.height());
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, top - frame.height());
        LayerPainter::paint(painter, *root, frame.height(), visible);
    }
}
BENCHMARK_CAPTURE(BM_VerbariumDisplayAndPaint_KingJames, bands, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VerbariumDisplayAndPaint_KingJames, spread, true)
    ->Unit(benchmark::kMillisecond);

// Both sides of "the", its trees grown: each side laid out in half the window, joined,
// made into layers, the outline the keyboard walks, and the first paint.
void BM_BothSidesDisplayAndPaint_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return;
    const auto forward = TextIndex::build(QString::fromUtf8(*text));
    const auto after = growTree(forward, u"the"_s);
    const auto before = growTree(indexBefore(forward, {}), u"the"_s);
    const FontMetricsMeasurer measurer;
    const VerbariumLayout layout(measurer);
    const QSizeF half(viewSize.width() / 2, viewSize.height());
    const auto side = [&](const std::shared_ptr<const VerbariumTree> &tree) {
        return layout.displayVerbariumFromNode(tree, tree->root(), QRectF(QPointF(0, 0), half),
                                               half);
    };
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    std::size_t words = 0;
    for (auto _ : state) {
        const BothSidesPicture sides =
            joinedSides(mirroredPicture(side(before)), side(after), viewSize);
        const VerbariumPicture picture = pictureOfBothSides(sides);
        benchmark::DoNotOptimize(outlineOf(picture));
        const auto root = bothSidesLayers(sides);
        const QSizeF frame = sides.viewSize;
        image.fill(Qt::white);
        QPainter painter(&image);
        LayerPainter::paint(painter, *root, frame.height(),
                            QRectF(QPointF(0, 0), frame.boundedTo(viewSize)));
        words = picture.words.size();
    }
    state.counters["words"] = double(words);
}
BENCHMARK(BM_BothSidesDisplayAndPaint_KingJames)->Unit(benchmark::kMillisecond);

} // namespace
