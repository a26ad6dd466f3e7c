#include "CloudBuilder.h"

#include "FontSizeScale.h"
#include "ShownWord.h"
#include "StopCheck.h"
#include "TextLayer.h"
#include "WordColor.h"
#include "WordDictionary.h"
#include "WordOrder.h"

#include <algorithm>

namespace {

struct SortEntry
{
    WordSortKey key;
    CloudWord word;
    std::size_t entry; // its place in the dictionary
};

QColor shownColor(const QColor &drawn, CloudStyle style)
{
    return style.contrast ? withContrastOnWhite(drawn) : drawn;
}

} // namespace

MeasuredCloud measureCloudWords(const WordDictionary &dictionary, const TextMeasurer &measurer,
                                std::stop_token stop)
{
    const FontSizeScale scale(dictionary);
    return measureCloudWords(
        dictionary, measurer,
        [&scale](const WordDictionary::Entry &entry) { return scale.fontSize(entry.count); },
        std::move(stop));
}

MeasuredCloud measureCloudWords(const WordDictionary &dictionary, const TextMeasurer &measurer,
                                const WordFontSize &fontSizeOf, std::stop_token stop)
{
    const StopCheck checkStop(std::move(stop));
    std::vector<SortEntry> entries;
    entries.reserve(static_cast<size_t>(dictionary.size()));
    for (const WordDictionary::Entry &entry : dictionary) {
        checkStop.throwIfStopped();
        CloudWord word;
        word.string.text = drawnWord(entry.word);
        word.string.fontName = cloudFontName;
        word.string.fontSize = fontSizeOf(entry);
        word.count = entry.count;
        const QSizeF preferred = measurer.preferredSize(word.string);
        // Geometry is kept in single precision throughout the cloud.
        word.size =
            QSizeF(static_cast<float>(preferred.width()), static_cast<float>(preferred.height()));
        entries.push_back({wordSortKey(entry.word), std::move(word), entries.size()});
    }
    // Each word normalised once, not at every comparison.
    std::sort(entries.begin(), entries.end(), [](const SortEntry &first, const SortEntry &second) {
        return compareKeys(first.key, second.key) < 0;
    });
    MeasuredCloud measured;
    measured.names.reserve(entries.size());
    measured.words.reserve(entries.size());
    measured.placeOfEntry.resize(entries.size());
    for (SortEntry &entry : entries) {
        measured.placeOfEntry[entry.entry] = measured.words.size();
        measured.names.push_back(std::move(entry.key.word));
        measured.words.push_back(std::move(entry.word));
    }
    return measured;
}

BuiltCloud buildCloudLayers(const MeasuredCloud &measured, RandomSource &random, CloudStyle style)
{
    return buildCloudLayers(
        measured, [&random](std::size_t) { return drawWordColor(random).toQColor(); }, style);
}

BuiltCloud buildCloudLayers(const MeasuredCloud &measured, const WordDrawnColor &drawnColorOf,
                            CloudStyle style)
{
    BuiltCloud cloud;
    cloud.root = std::make_unique<Layer>();
    cloud.root->setName(cloudRootLayerName);
    cloud.words = measured.words;
    for (std::size_t i = 0; i < cloud.words.size(); ++i) {
        CloudWord &word = cloud.words[i];
        word.drawnColor = drawnColorOf(i);
        word.string.color = shownColor(word.drawnColor, style);
    }
    cloud.layers.resize(cloud.words.size());
    for (const std::size_t place : measured.placeOfEntry) {
        const CloudWord &word = cloud.words[place];
        auto layer = std::make_unique<TextLayer>();
        layer->setName(measured.names[place]);
        layer->setAlignmentMode(TextLayer::Alignment::Center);
        layer->setString(word.string);
        layer->setFrame(QRectF(QPointF(0, 0), word.size));
        layer->setAnchorPoint(QPointF(0.0, 0.5));
        cloud.layers[place] = static_cast<TextLayer *>(cloud.root->addSublayer(std::move(layer)));
    }
    return cloud;
}

BuiltCloud buildCloudLayers(const WordDictionary &dictionary, const TextMeasurer &measurer,
                            RandomSource &random, CloudStyle style)
{
    return buildCloudLayers(measureCloudWords(dictionary, measurer), random, style);
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
