#include "BenchInputs.h"
#include "FileParser.h"
#include "GuiApplication.h"
#include "Layer.h"
#include "LayerPainter.h"
#include "TextLayer.h"
#include "TreeText.h"
#include "VerbariumLayout.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSizeF viewSize(800, 600);

std::shared_ptr<Node> kingJamesTreeOrSkip(benchmark::State &state, const QString &word)
{
    const QByteArray *text = BenchInputs::kingJamesTextOrSkip(state);
    if (!text)
        return nullptr;
    FileParser parser;
    parser.inputStrings(QString::fromUtf8(*text));
    return TreeText(parser.treeText()).growTree(word);
}

void BM_VerbariumDisplayFromRoot_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const std::shared_ptr<Node> root = kingJamesTreeOrSkip(state, u"the"_s);
    if (!root)
        return;
    Layer rootLayer;
    rootLayer.setBounds(QRectF(QPointF(0, 0), viewSize));
    const FontMetricsMeasurer measurer;
    VerbariumLayout layout(rootLayer, measurer);
    for (auto _ : state) {
        // Every display starts from the same frame, as a redisplay in a window would.
        benchmark::DoNotOptimize(layout.displayVerbariumFromNode(root, viewSize));
    }
    state.counters["layers"] = double(layout.layers().size());
}
BENCHMARK(BM_VerbariumDisplayFromRoot_KingJames)->Unit(benchmark::kMillisecond);

// What a click costs on screen: the new layout and the first paint of the window's
// part of the view.
void BM_VerbariumDisplayAndPaint_KingJames(benchmark::State &state)
{
    ensureGuiApplication();
    const std::shared_ptr<Node> root = kingJamesTreeOrSkip(state, u"the"_s);
    if (!root)
        return;
    Layer rootLayer;
    rootLayer.setFrame(QRectF(QPointF(0, 0), viewSize));
    const FontMetricsMeasurer measurer;
    VerbariumLayout layout(rootLayer, measurer);
    QImage image(viewSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const QSizeF frame = layout.displayVerbariumFromNode(root, viewSize);
        rootLayer.setFrame(QRectF(QPointF(0, 0), frame));
        // The window shows the top of the view.
        const QRectF visible(0, frame.height() - viewSize.height(), viewSize.width(),
                             viewSize.height());
        image.fill(Qt::white);
        QPainter painter(&image);
        LayerPainter::paint(painter, rootLayer, frame.height(), visible);
        rootLayer.setFrame(QRectF(QPointF(0, 0), viewSize));
    }
}
BENCHMARK(BM_VerbariumDisplayAndPaint_KingJames)->Unit(benchmark::kMillisecond);

} // namespace
