#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace benchmark {
class State;
}

// The texts every benchmark runs on, as UTF-8.
namespace BenchInputs {

// The generated English-like text of 10 MB (built once per process).
const QByteArray &generatedText();

// The King James Bible from the file named by VERBARIUM_KJV (scripts/bench.sh
// writes it), or nothing when the variable is unset or the file is unreadable.
const std::optional<QByteArray> &kingJamesText();

// Skips the benchmark with a message when the King James text is missing.
const QByteArray *kingJamesTextOrSkip(benchmark::State &state);

// Reports throughput in decimal megabytes of UTF-8 input per second ("MB=…/s").
void setMegabytesPerSecond(benchmark::State &state, qsizetype utf8Bytes);

} // namespace BenchInputs
