#pragma once

#include "CloudWord.h"
#include "Layer.h"
#include "WordDictionary.h"

#include <QString>
#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

class RandomSource;
class TextLayer;
class TextMeasurer;

// The face every cloud word is set in; the platform resolves it to an installed font.
inline const QString cloudFontName = QStringLiteral("Futura-CondensedMedium");
inline const QString cloudRootLayerName = QStringLiteral("mainLayer");

// How the cloud's words look, beyond what the counts decide.
struct CloudStyle
{
    // Colours darkened where needed to stand out at least 3:1 from the white ground.
    bool contrast = false;
};

// A freshly built cloud: the words as data in alphabetical order (see compareWords), and
// the layers that paint them. The root layer owns one word layer per word, in the
// dictionary's order; layers[i] shows words[i].
struct BuiltCloud
{
    std::vector<CloudWord> words;
    std::unique_ptr<Layer> root;
    std::vector<TextLayer *> layers; // non-owning: the layers live under root
};

// A cloud's words sized by their counts, measured and in alphabetical order (see
// compareWords), without colours or places yet: what takes time in building a cloud,
// as plain data that a worker can make.
struct MeasuredCloud
{
    std::vector<QString> names;   // the whole words, which the layers are named after
    std::vector<CloudWord> words; // words[i] draws names[i], cut if it is very long
    // Where the dictionary's i-th word is in words: the root layer keeps the
    // dictionary's order.
    std::vector<std::size_t> placeOfEntry;
};

// One word per dictionary entry, measured by measurer, sized by its count. Throws
// WorkStopped once stop is requested.
MeasuredCloud measureCloudWords(const WordDictionary &dictionary, const TextMeasurer &measurer,
                                std::stop_token stop = {});
// The same, each word in the font size fontSizeOf gives it.
using WordFontSize = std::function<float(const WordDictionary::Entry &)>;
MeasuredCloud measureCloudWords(const WordDictionary &dictionary, const TextMeasurer &measurer,
                                const WordFontSize &fontSizeOf, std::stop_token stop = {});

// The layers of the measured words, not yet positioned. Colours are drawn in the
// alphabetical order of the words, so a seeded source gives the same colours whatever
// the dictionary's order.
BuiltCloud buildCloudLayers(const MeasuredCloud &measured, RandomSource &random,
                            CloudStyle style = {});
// The same, with the colour drawnColorOf gives the i-th word in alphabetical order.
using WordDrawnColor = std::function<QColor(std::size_t)>;
BuiltCloud buildCloudLayers(const MeasuredCloud &measured, const WordDrawnColor &drawnColorOf,
                            CloudStyle style = {});
// Both at once.
BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random, CloudStyle style = {});

// Gives the words the style's colours, from the colours they were drawn with.
void restyleCloud(BuiltCloud &cloud, CloudStyle style);
