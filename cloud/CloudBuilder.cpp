#include "CloudBuilder.h"

#include "FontSizeScale.h"
#include "ShownWord.h"
#include "TextLayer.h"
#include "WordColor.h"
#include "WordDictionary.h"
#include "WordOrder.h"

#include <algorithm>

namespace {

struct SortEntry
{
    WordSortKey key;
    TextLayer *layer; // non-owning
};

} // namespace

BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random)
{
    BuiltCloud cloud;
    cloud.root = std::make_unique<Layer>();
    cloud.root->setName(cloudRootLayerName);

    const FontSizeScale scale(dictionary);
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<size_t>(dictionary.size()));
    for (const WordDictionary::Entry &entry : dictionary) {
        auto wordLayer = std::make_unique<TextLayer>();
        wordLayer->setName(entry.word);
        wordLayer->setAlignmentMode(TextLayer::Alignment::Center);
        AttributedString string;
        string.text = drawnWord(entry.word);
        string.fontName = cloudFontName;
        string.fontSize = scale.fontSize(entry.count);
        wordLayer->setString(string);
        const QSizeF preferred = wordLayer->preferredFrameSize(measurer);
        // Geometry is kept in single precision throughout the cloud.
        wordLayer->setFrame(QRectF(0, 0, static_cast<float>(preferred.width()),
                                   static_cast<float>(preferred.height())));
        wordLayer->setAnchorPoint(QPointF(0.0, 0.5));
        auto *layer = static_cast<TextLayer *>(cloud.root->addSublayer(std::move(wordLayer)));
        entries.push_back({wordSortKey(entry.word), layer});
    }

    // The same order as compare() on the layers, with each word normalised once.
    std::sort(entries.begin(), entries.end(), [](const SortEntry &first, const SortEntry &second) {
        return compareKeys(first.key, second.key) < 0;
    });
    cloud.layers.reserve(entries.size());
    for (const SortEntry &entry : entries) {
        AttributedString string = entry.layer->string();
        string.color = drawWordColor(random).toQColor();
        entry.layer->setString(string);
        cloud.layers.push_back(entry.layer);
    }
    return cloud;
}
