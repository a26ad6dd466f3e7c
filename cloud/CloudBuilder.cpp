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
    int count;
};

QColor shownColor(const QColor &drawn, CloudStyle style)
{
    return style.contrast ? withContrastOnWhite(drawn) : drawn;
}

} // namespace

BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random, CloudStyle style)
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
        entries.push_back({wordSortKey(entry.word), layer, entry.count});
    }

    // The same order as compare() on the layers, with each word normalised once.
    std::sort(entries.begin(), entries.end(), [](const SortEntry &first, const SortEntry &second) {
        return compareKeys(first.key, second.key) < 0;
    });
    cloud.layers.reserve(entries.size());
    cloud.words.reserve(entries.size());
    for (const SortEntry &entry : entries) {
        CloudWord word;
        word.drawnColor = drawWordColor(random).toQColor();
        word.string = entry.layer->string();
        word.string.color = shownColor(word.drawnColor, style);
        word.count = entry.count;
        word.size = entry.layer->bounds().size();
        entry.layer->setString(word.string);
        cloud.layers.push_back(entry.layer);
        cloud.words.push_back(std::move(word));
    }
    return cloud;
}

void restyleCloud(BuiltCloud &cloud, CloudStyle style)
{
    for (std::size_t i = 0; i < cloud.words.size(); ++i) {
        CloudWord &word = cloud.words[i];
        word.string.color = shownColor(word.drawnColor, style);
        if (i < cloud.layers.size())
            cloud.layers[i]->setString(word.string);
    }
}
