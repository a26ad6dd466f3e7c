#include "Dispersion.h"

#include "CorpusFile.h"
#include "FileNumbers.h"
#include "TokenSequence.h"

#include <algorithm>

Dispersion dispersionOf(const TokenSequence &tokens, std::span<const TextPart> files,
                        std::vector<quint32> firsts)
{
    const std::vector<quint32> starts = fileTokenStarts(tokens, partSpans(files));
    const std::vector<quint32> counts = occurrencesPerFile(firsts, starts);

    Dispersion dispersion;
    dispersion.files.reserve(files.size());
    for (std::size_t file = 0; file < files.size(); ++file)
        dispersion.files.push_back(
            {files[file].name, starts[file], starts[file + 1] - starts[file], counts[file]});
    dispersion.positions = std::move(firsts);
    dispersion.length = tokens.size();
    return dispersion;
}

namespace {

// The column of columns a token is drawn on; perToken is columns over the corpus's tokens.
quint32 columnOf(quint32 position, double perToken, quint32 columns)
{
    return std::min(quint32(position * perToken), columns - 1);
}

} // namespace

std::vector<quint32> tickColumns(const Dispersion &dispersion, quint32 columns)
{
    std::vector<quint32> ticks;
    if (dispersion.length == 0)
        return ticks;
    // A multiplication rather than a division for each of a million positions.
    const double perToken = double(columns) / dispersion.length;
    for (const quint32 position : dispersion.positions) {
        const quint32 column = columnOf(position, perToken, columns);
        if (ticks.empty() || ticks.back() != column)
            ticks.push_back(column);
    }
    return ticks;
}

std::optional<std::size_t> occurrenceNearColumn(const Dispersion &dispersion, quint32 column,
                                                quint32 columns, quint32 reach)
{
    if (dispersion.length == 0 || columns == 0)
        return std::nullopt;
    const double perToken = double(columns) / dispersion.length;
    const auto &positions = dispersion.positions;
    const auto onColumn = [&](qint64 wanted) -> std::optional<std::size_t> {
        if (wanted < 0 || wanted >= columns)
            return std::nullopt;
        const auto first =
            std::partition_point(positions.begin(), positions.end(), [&](quint32 position) {
                return columnOf(position, perToken, columns) < wanted;
            });
        if (first == positions.end() || columnOf(*first, perToken, columns) != wanted)
            return std::nullopt;
        return std::size_t(first - positions.begin());
    };
    for (qint64 distance = 0; distance <= reach; ++distance) {
        if (const auto found = onColumn(qint64(column) - distance))
            return found;
        if (const auto found = onColumn(qint64(column) + distance))
            return found;
    }
    return std::nullopt;
}
