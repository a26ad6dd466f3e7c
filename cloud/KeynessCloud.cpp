#include "KeynessCloud.h"

#include "FontSizeScale.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

struct ShownKeyword
{
    float size; // the log ratio's magnitude, until scaled to a font size
    bool ofA;
};

} // namespace

BuiltCloud buildKeynessCloud(const std::vector<KeywordRow> &rows, double minimumLogLikelihood,
                             const QSet<QString> &leftOut, const TextMeasurer &measurer)
{
    WordDictionary words;
    QHash<QString, ShownKeyword> shown;
    float smallest = INFINITY;
    float largest = 0.0f;
    for (const KeywordRow &row : rows) {
        // The rows come by descending log-likelihood.
        if (row.logLikelihood < minimumLogLikelihood)
            break;
        if (row.logRatio == 0.0 || leftOut.contains(row.word))
            continue;
        const bool ofA = row.logRatio > 0.0;
        const float magnitude = float(std::abs(row.logRatio));
        words.insert(row.word, int(ofA ? row.countA : row.countB));
        shown.insert(row.word, {magnitude, ofA});
        smallest = std::min(smallest, magnitude);
        largest = std::max(largest, magnitude);
    }
    // The log ratio is a logarithm already: sizes follow it linearly, on the range the
    // counts' cloud uses.
    const float range = largest - smallest;
    const MeasuredCloud measured =
        measureCloudWords(words, measurer, [&](const WordDictionary::Entry &entry) {
            if (range <= 0.0f)
                return FontSizeScale::uniformSize;
            return FontSizeScale::smallestSize +
                   FontSizeScale::sizeRange * (shown.value(entry.word).size - smallest) / range;
        });
    return buildCloudLayers(measured, [&](std::size_t i) {
        return shown.value(measured.names[i]).ofA ? KeynessCloud::colorOfA : KeynessCloud::colorOfB;
    });
}
