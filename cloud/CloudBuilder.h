#pragma once

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

// A freshly built cloud: the root layer owns every word layer; `layers` lists the
// same word layers in alphabetical order (see compareWords).
struct BuiltCloud
{
    std::unique_ptr<Layer> root;
    std::vector<TextLayer *> layers; // non-owning: the layers live under root
};

// Makes one word layer per dictionary entry, sized by its count and measured by
// `measurer`, not yet positioned. Colours are drawn in the alphabetical order of
// the layers, so a seeded source gives the same colours whatever the dictionary's
// order.
BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random);
