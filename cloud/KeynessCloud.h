#pragma once

#include "CloudBuilder.h"
#include "CloudContent.h"
#include "Keyness.h"

#include <QColor>
#include <QSet>
#include <stop_token>
#include <vector>

class TextMeasurer;

// The words one text uses significantly more than the other, in one cloud: A's in one
// colour, B's in another, each sized by how much more (the log ratio), in alphabetical
// rows as any cloud.
namespace KeynessCloud {
// Both dark enough to stand 3:1 on the white ground, and told apart by those who do not
// see red from green.
inline const QColor colorOfA = QColor(0x1f, 0x5f, 0xa8);
inline const QColor colorOfB = QColor(0xb0, 0x45, 0x0c);
} // namespace KeynessCloud

// The names of the two texts compared, as screen readers hear them.
struct KeynessTextNames
{
    QString a;
    QString b;
};

// The words of rows whose log-likelihood is at least minimumLogLikelihood, but those of
// leftOut; each word's count is its count in the text that uses it more. Each word's
// accessible name says which text uses it more. Throws WorkStopped once stop is
// requested.
CloudContent makeKeynessCloudContent(const std::vector<KeywordRow> &rows,
                                     double minimumLogLikelihood, const QSet<QString> &leftOut,
                                     const TextMeasurer &measurer, const KeynessTextNames &names,
                                     std::stop_token stop = {});
// The same words, as layers in their colours.
BuiltCloud buildKeynessCloud(const std::vector<KeywordRow> &rows, double minimumLogLikelihood,
                             const QSet<QString> &leftOut, const TextMeasurer &measurer);
