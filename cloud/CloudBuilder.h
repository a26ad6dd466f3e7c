#pragma once

#include "CloudWord.h"
#include "Layer.h"

#include <QString>
#include <memory>
#include <vector>

class RandomSource;
class TextLayer;
class TextMeasurer;
class WordDictionary;

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

// Makes one word per dictionary entry, sized by its count and measured by `measurer`,
// not yet positioned. Colours are drawn in the alphabetical order of the words, so a
// seeded source gives the same colours whatever the dictionary's order.
BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random, CloudStyle style = {});

// Gives the words the style's colours, from the colours they were drawn with.
void restyleCloud(BuiltCloud &cloud, CloudStyle style);
