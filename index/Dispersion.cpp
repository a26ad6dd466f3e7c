#include "Dispersion.h"

#include "FileNumbers.h"
#include "TokenSequence.h"

#include <algorithm>

Dispersion dispersionOf(const TokenSequence &tokens, std::span<const TextPart> files,
                        std::vector<quint32> firsts)
{
    std::vector<TextSpan> spans;
    spans.reserve(files.size());
    for (const TextPart &file : files)
        spans.push_back({file.start, file.start + file.length});
    const std::vector<quint32> starts = fileTokenStarts(tokens, spans);
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

std::vector<quint32> tickColumns(const Dispersion &dispersion, quint32 columns)
{
    std::vector<quint32> ticks;
    if (dispersion.length == 0)
        return ticks;
    // A multiplication rather than a division for each of a million positions.
    const double perToken = double(columns) / dispersion.length;
    for (const quint32 position : dispersion.positions) {
        const quint32 column = std::min(quint32(position * perToken), columns - 1);
        if (ticks.empty() || ticks.back() != column)
            ticks.push_back(column);
    }
    return ticks;
}
