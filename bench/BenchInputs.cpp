#include "BenchInputs.h"

#include "TextGenerator.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace BenchInputs {

const QByteArray &generatedText()
{
    static const QByteArray text = generateEnglishLikeText(10'000'000);
    return text;
}

const std::optional<QByteArray> &kingJamesText()
{
    static const std::optional<QByteArray> text = []() -> std::optional<QByteArray> {
        const QString path = qEnvironmentVariable("VERBARIUM_KJV");
        if (path.isEmpty())
            return std::nullopt;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }();
    return text;
}

const QByteArray *kingJamesTextOrSkip(benchmark::State &state)
{
    const auto &text = kingJamesText();
    if (!text) {
        state.SkipWithError("VERBARIUM_KJV is unset or unreadable; scripts/bench.sh sets it");
        return nullptr;
    }
    return &*text;
}

void setMegabytesPerSecond(benchmark::State &state, qsizetype utf8Bytes)
{
    state.counters["MB"] =
        benchmark::Counter(double(utf8Bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace BenchInputs
