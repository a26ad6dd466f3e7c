#include "CloudBuilder.h"

#include "FakeRandomSource.h"
#include "FixedMeasurer.h"
#include "FontSizeScale.h"
#include "QStringPrinter.h"
#include "ShownWord.h"
#include "WordColor.h"
#include "WordDictionary.h"
#include "WordOrder.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

WordDictionary dictionaryOf(const QList<WordDictionary::Entry> &entries)
{
    WordDictionary dictionary;
    for (const auto &entry : entries)
        dictionary.insert(entry.word, entry.count);
    return dictionary;
}

QStringList namesOf(const BuiltCloud &cloud)
{
    QStringList names;
    for (const TextLayer *layer : cloud.layers)
        names << layer->name();
    return names;
}

struct FontSizeRow
{
    const char *name;
    QList<int> counts;
    QList<float> sizes;
};

class FontSizes : public testing::TestWithParam<FontSizeRow>
{
};

TEST_P(FontSizes, FollowTheLogarithmOfTheCount)
{
    const FontSizeRow &row = GetParam();
    WordDictionary dictionary;
    for (qsizetype i = 0; i < row.counts.size(); ++i)
        dictionary.insert(u"w"_s + QString::number(i), row.counts[i]);
    const FontSizeScale scale(dictionary);
    for (qsizetype i = 0; i < row.counts.size(); ++i)
        EXPECT_NEAR(scale.fontSize(row.counts[i]), row.sizes[i], 1e-4) << "count " << row.counts[i];
}

INSTANTIATE_TEST_SUITE_P(
    Cloud, FontSizes,
    testing::Values(FontSizeRow{"logarithmic", {1, 10, 100}, {15.0f, 47.5f, 80.0f}},
                    FontSizeRow{"twoCountsSpanTheRange", {3, 7}, {15.0f, 80.0f}},
                    FontSizeRow{"equalCountsTakeTheMiddle", {4, 4, 4}, {47.5f, 47.5f, 47.5f}},
                    FontSizeRow{"singleWord", {9}, {47.5f}},
                    FontSizeRow{"everyCountOne", {1, 1}, {47.5f, 47.5f}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ColorRow
{
    const char *name;
    QList<int> draws;
    qsizetype drawsTaken;
    float red, green, blue;
};

class ColorDraws : public testing::TestWithParam<ColorRow>
{
};

TEST_P(ColorDraws, DarkenOnlyBrightColours)
{
    const ColorRow &row = GetParam();
    FakeRandomSource random(row.draws);
    const WordColor color = drawWordColor(random);
    EXPECT_EQ(random.taken(), row.drawsTaken);
    EXPECT_NEAR(color.red, row.red, 1e-6);
    EXPECT_NEAR(color.green, row.green, 1e-6);
    EXPECT_NEAR(color.blue, row.blue, 1e-6);
}

// Draws come as red, blue, green; raw values are reduced mod 101.
INSTANTIATE_TEST_SUITE_P(
    Cloud, ColorDraws,
    testing::Values(ColorRow{"brightLowersGreen", {90, 90, 80, 1}, 4, 0.90f, 0.30f, 0.90f},
                    ColorRow{"brightLowersRed", {90, 90, 80, 3}, 4, 0.40f, 0.80f, 0.90f},
                    ColorRow{"brightLowersBlue", {90, 90, 80, 5}, 4, 0.90f, 0.80f, 0.40f},
                    ColorRow{"exactly250TakesNoFourthDraw", {83, 84, 83}, 3, 0.83f, 0.83f, 0.84f},
                    ColorRow{"drawsReducedMod101", {101 + 7, 202 + 100, 0}, 3, 0.07f, 0.0f, 1.0f}),
    [](const auto &info) { return std::string(info.param.name); });

struct OrderRow
{
    const char *name;
    QString first;
    QString second;
    int sign;
};

class WordOrdering : public testing::TestWithParam<OrderRow>
{
};

TEST_P(WordOrdering, ComparesDecomposedFormsThenCodeUnits)
{
    const OrderRow &row = GetParam();
    const int order = compareWords(row.first, row.second);
    EXPECT_EQ((order > 0) - (order < 0), row.sign);
    const int reverse = compareWords(row.second, row.first);
    EXPECT_EQ((reverse > 0) - (reverse < 0), -row.sign);
}

INSTANTIATE_TEST_SUITE_P(
    Cloud, WordOrdering,
    testing::Values(OrderRow{"alphabetical", u"apple"_s, u"fig"_s, -1},
                    OrderRow{"prefixFirst", u"fig"_s, u"figs"_s, -1},
                    OrderRow{"precomposedAfterE", u"\u00e9"_s, u"e"_s, 1},
                    OrderRow{"precomposedBeforeF", u"\u00e9"_s, u"f"_s, -1},
                    OrderRow{"equivalentSpellingsStillOrdered", u"e\u0301"_s, u"\u00e9"_s, -1},
                    OrderRow{"sameWord", u"pear"_s, u"pear"_s, 0},
                    OrderRow{"longWordsByTheirStarts", u"\u00e9"_s.repeated(300) + u'z',
                             u"e\u0301f"_s, -1},
                    OrderRow{"longWordsSharingTheirStartsByCodeUnits", u"a"_s.repeated(300) + u'b',
                             u"a"_s.repeated(300) + u'a', 1}),
    [](const auto &info) { return std::string(info.param.name); });

// Decomposing a whole word took time growing with the square of its length: 15 s for
// a word of 400,000 "é".
TEST(WordOrder, KeyDecomposesABoundedStart)
{
    const QString word = u"\u00e9"_s.repeated(400000);
    const WordSortKey key = wordSortKey(word);
    EXPECT_EQ(key.decomposed, u"e\u0301"_s.repeated(sortPrefixUnits));
    EXPECT_EQ(key.word, word);
    // A surrogate pair across the cut is left out whole.
    const QString pairs = u"\U0001d41a"_s.repeated(sortPrefixUnits);
    EXPECT_EQ(wordSortKey(u'x' + pairs).decomposed, u'x' + pairs.left(sortPrefixUnits - 2));
}

TEST(CloudBuilder, SortsLayersWhateverTheDictionaryOrder)
{
    FakeRandomSource random({});
    const FixedMeasurer measurer({});
    const BuiltCloud cloud = buildCloudLayers(
        dictionaryOf({{u"pear"_s, 1}, {u"f"_s, 1}, {u"\u00e9"_s, 2}, {u"apple"_s, 3}, {u"e"_s, 1}}),
        measurer, random);
    EXPECT_EQ(namesOf(cloud), (QStringList{u"apple"_s, u"e"_s, u"\u00e9"_s, u"f"_s, u"pear"_s}));
    // The root keeps the dictionary's order; only the list is sorted.
    ASSERT_EQ(cloud.root->sublayers().size(), 5u);
    EXPECT_EQ(cloud.root->sublayers().front()->name(), u"pear"_s);
    EXPECT_EQ(cloud.root->name(), u"mainLayer"_s);
}

TEST(CloudBuilder, WordLayersAreMeasuredAndAnchoredAtTheirLeftMiddle)
{
    FakeRandomSource random({});
    const FixedMeasurer measurer({{u"sun"_s, QSizeF(33.5, 21.25)}});
    const BuiltCloud cloud = buildCloudLayers(dictionaryOf({{u"sun"_s, 12}}), measurer, random);
    ASSERT_EQ(cloud.layers.size(), 1u);
    const TextLayer *layer = cloud.layers.front();
    EXPECT_EQ(layer->bounds(), QRectF(0, 0, 33.5, 21.25));
    EXPECT_EQ(layer->anchorPoint(), QPointF(0, 0.5));
    EXPECT_EQ(layer->alignmentMode(), TextLayer::Alignment::Center);
    EXPECT_EQ(layer->string().text, u"sun"_s);
    EXPECT_EQ(layer->string().fontName, u"Futura-CondensedMedium"_s);
    EXPECT_FLOAT_EQ(layer->string().fontSize, 47.5f);
}

TEST(CloudBuilder, DrawsColoursInAlphabeticalOrder)
{
    // "b" is enumerated first but sorts second, so it gets the second colour.
    FakeRandomSource random({10, 20, 30, 40, 50, 60});
    const FixedMeasurer measurer({});
    const BuiltCloud cloud =
        buildCloudLayers(dictionaryOf({{u"b"_s, 1}, {u"a"_s, 1}}), measurer, random);
    ASSERT_EQ(cloud.layers.size(), 2u);
    EXPECT_EQ(cloud.layers[0]->string().color, QColor::fromRgbF(0.10f, 0.30f, 0.20f));
    EXPECT_EQ(cloud.layers[1]->string().color, QColor::fromRgbF(0.40f, 0.60f, 0.50f));
}

TEST(CloudBuilder, EmptyDictionaryGivesAnEmptyRoot)
{
    FakeRandomSource random({});
    const FixedMeasurer measurer({});
    const BuiltCloud cloud = buildCloudLayers(WordDictionary(), measurer, random);
    EXPECT_TRUE(cloud.layers.empty());
    EXPECT_TRUE(cloud.root->sublayers().empty());
    EXPECT_EQ(random.taken(), 0);
}

// Measuring a word of 75 million letters crashed the font engine.
TEST(CloudBuilder, AGiantWordIsMeasuredAndDrawnCutButKeepsItsName)
{
    FakeRandomSource random({1, 2, 3});
    const QString giant(longestDrawnWord + 1, u'a');
    const QString cut = QString(longestDrawnWord - 1, u'a') + u'…';
    const FixedMeasurer measurer({{cut, QSizeF(7000, 20)}});
    const BuiltCloud cloud = buildCloudLayers(dictionaryOf({{giant, 1}}), measurer, random);
    ASSERT_EQ(cloud.layers.size(), 1u);
    EXPECT_EQ(cloud.layers.front()->string().text, cut);
    EXPECT_EQ(cloud.layers.front()->bounds().width(), 7000);
    EXPECT_EQ(cloud.layers.front()->name(), giant);
}

} // namespace
