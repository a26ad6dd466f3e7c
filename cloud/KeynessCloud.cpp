#include "KeynessCloud.h"

#include "FontSizeScale.h"
#include "StopCheck.h"

#include <QHash>
#include <QObject>
#include <algorithm>
#include <cmath>

namespace {

struct ShownKeyword
{
    float size; // the log ratio's magnitude, until scaled to a font size
    bool ofA;
};

} // namespace

CloudContent makeKeynessCloudContent(const std::vector<KeywordRow> &rows,
                                     double minimumLogLikelihood, const QSet<QString> &leftOut,
                                     const TextMeasurer &measurer, const KeynessTextNames &names,
                                     std::stop_token stop)
{
    const StopCheck checkStop(stop);
    CloudContent content;
    content.textHasWords = !rows.empty();
    QHash<QString, ShownKeyword> shown;
    float smallest = INFINITY;
    float largest = 0.0f;
    for (const KeywordRow &row : rows) {
        // The rows come by descending log-likelihood.
        if (row.logLikelihood < minimumLogLikelihood)
            break;
        if (row.logRatio == 0.0)
            continue;
        if (leftOut.contains(row.word)) {
            ++content.leftOutWords;
            continue;
        }
        const bool ofA = row.logRatio > 0.0;
        const float magnitude = float(std::abs(row.logRatio));
        content.words.insert(row.word, int(ofA ? row.countA : row.countB));
        shown.insert(row.word, {magnitude, ofA});
        smallest = std::min(smallest, magnitude);
        largest = std::max(largest, magnitude);
    }
    checkStop.throwIfStopped();
    // The log ratio is a logarithm already: sizes follow it linearly, on the range the
    // counts' cloud uses.
    const float range = largest - smallest;
    content.measured = measureCloudWords(
        content.words, measurer,
        [&](const WordDictionary::Entry &entry) {
            if (range <= 0.0f)
                return FontSizeScale::uniformSize;
            return FontSizeScale::smallestSize +
                   FontSizeScale::sizeRange * (shown.value(entry.word).size - smallest) / range;
        },
        std::move(stop));

    FixedLook look;
    look.colors.reserve(content.measured.names.size());
    look.accessibleNames.reserve(content.measured.names.size());
    for (const QString &word : content.measured.names) {
        const bool ofA = shown.value(word).ofA;
        look.colors.push_back(ofA ? KeynessCloud::colorOfA : KeynessCloud::colorOfB);
        look.accessibleNames.push_back(
            QObject::tr("%1, used more in %2").arg(word, ofA ? names.a : names.b));
    }
    look.emptyMessage =
        content.leftOutWords > 0
            ? QObject::tr("No words to show: every word either text uses markedly more is "
                          "left out as a common word.")
            : QObject::tr("No words to show: neither text uses any word markedly more than "
                          "the other.");
    content.fixedLook = std::move(look);
    return content;
}

BuiltCloud buildKeynessCloud(const std::vector<KeywordRow> &rows, double minimumLogLikelihood,
                             const QSet<QString> &leftOut, const TextMeasurer &measurer)
{
    const CloudContent content =
        makeKeynessCloudContent(rows, minimumLogLikelihood, leftOut, measurer, {});
    return buildCloudLayers(content.measured,
                            [&](std::size_t i) { return content.fixedLook->colors[i]; });
}
