#include "BenchInputs.h"
#include "FileParser.h"
#include "Layer.h"
#include "TextLayer.h"
#include "TreeText.h"
#include "VerbariumLayout.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSizeF viewSize(800, 600);

// Font metrics need a GUI application; one lives for the whole process.
void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "verbarium-display-bench";
    static char *argv[] = {name, nullptr};
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
}

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

} // namespace
