#include "CloudBuilder.h"

#include "FontSizeScale.h"
#include "TextLayer.h"
#include "WordColor.h"
#include "WordDictionary.h"
#include "WordOrder.h"

#include <algorithm>

BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random)
{
    BuiltCloud cloud;
    cloud.root = std::make_unique<Layer>();
    cloud.root->setName(cloudRootLayerName);

    const FontSizeScale scale(dictionary);
    cloud.layers.reserve(static_cast<size_t>(dictionary.size()));
    for (const WordDictionary::Entry &entry : dictionary) {
        auto wordLayer = std::make_unique<TextLayer>();
        wordLayer->setName(entry.word);
        wordLayer->setAlignmentMode(TextLayer::Alignment::Center);
        AttributedString string;
        string.text = entry.word;
        string.fontName = cloudFontName;
        string.fontSize = scale.fontSize(entry.count);
        wordLayer->setString(string);
        const QSizeF preferred = wordLayer->preferredFrameSize(measurer);
        // Geometry is kept in single precision throughout the cloud.
        wordLayer->setFrame(QRectF(0, 0, static_cast<float>(preferred.width()),
                                   static_cast<float>(preferred.height())));
        wordLayer->setAnchorPoint(QPointF(0.0, 0.5));
        cloud.layers.push_back(
            static_cast<TextLayer *>(cloud.root->addSublayer(std::move(wordLayer))));
    }

    std::sort(cloud.layers.begin(), cloud.layers.end(),
              [](const TextLayer *first, const TextLayer *second) {
                  return compare(*first, *second) < 0;
              });
    for (TextLayer *layer : cloud.layers) {
        AttributedString string = layer->string();
        string.color = drawWordColor(random).toQColor();
        layer->setString(string);
    }
    return cloud;
}
