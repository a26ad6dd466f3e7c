#include "Fonts.h"
#include "LayerExport.h"
#include "PictureSupport.h"
#include "SvgPicture.h"

#include <QFontMetricsF>
#include <QRawFont>
#include <QSet>
#include <gtest/gtest.h>
#include <map>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

using namespace Qt::Literals::StringLiterals;
using namespace PictureSupport;

namespace {

const QSizeF view(400, 200);

// Letters that never repeat in a period, so a misplaced cut shows.
QString longWord()
{
    QString letters;
    for (int i = 0; i < 30000; ++i)
        letters += QChar(u'a' + (i * i + 3 * i) % 26);
    return letters;
}

// The first letter (general category L) of every script, in code point order.
QStringList oneLetterOfEachScript()
{
    QSet<int> seen;
    QStringList letters;
    for (UChar32 codePoint = 0; codePoint <= 0x10ffff; ++codePoint) {
        if ((U_GET_GC_MASK(codePoint) & U_GC_L_MASK) == 0)
            continue;
        UErrorCode status = U_ZERO_ERROR;
        const UScriptCode script = uscript_getScript(codePoint, &status);
        if (U_FAILURE(status) || script == USCRIPT_COMMON || seen.contains(script))
            continue;
        seen.insert(script);
        const char32_t letter = char32_t(codePoint);
        letters << QString::fromUcs4(&letter, 1);
    }
    return letters;
}

QFontMetricsF metricsOnThePicture(qreal fontSize)
{
    // The picture's units are points: measured at 72 dpi, a point is a pixel.
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDotsPerMeterX(qRound(72 / 0.0254));
    device.setDotsPerMeterY(qRound(72 / 0.0254));
    return QFontMetricsF(resolveFont(wordFont, fontSize, 72.0), &device);
}

struct PlacementRow
{
    const char *name;
    QString text;
    qreal fontSize;
    QColor color;
    QPointF position;
    QPointF layerOffset; // of the layer that holds the word
    bool isCut;
};

void PrintTo(const PlacementRow &row, std::ostream *out)
{
    *out << row.name;
}

class SvgTextPlacement : public testing::TestWithParam<PlacementRow>
{
};

// Each word is one <text> whose baseline starts where the picture's glyphs do: its line
// centred on the word's box, moved on by the characters a cut leaves out; and what it
// keeps of a long word still spans the view.
TEST_P(SvgTextPlacement, WordIsTextAtThePicturesBaseline)
{
    const PlacementRow &row = GetParam();
    Layer root;
    root.setFrame(QRectF(QPointF(0, 0), view));
    auto holder = std::make_unique<Layer>();
    holder->setFrame(QRectF(row.layerOffset, view));
    const TextLayer *word =
        addWord(*holder, {row.text, wordFont, row.fontSize, row.color}, row.position);
    root.addSublayer(std::move(holder));

    const SvgPicture::Contents svg = SvgPicture::read(renderLayersToSvg(root, view));
    ASSERT_EQ(svg.words.size(), 1u);
    const SvgPicture::Word &text = svg.words.front();
    EXPECT_EQ(text.text.size() < row.text.size(), row.isCut);
    EXPECT_EQ(text.fontSize, row.fontSize);
    EXPECT_EQ(text.fill, row.color.name());

    // Unshaped glyphs: each character starts where the advances before it end.
    const QFontMetricsF metrics = metricsOnThePicture(row.fontSize);
    std::vector<qreal> starts{0.0};
    for (const QChar character : row.text)
        starts.push_back(starts.back() + metrics.horizontalAdvance(character));
    const QRectF box = deviceBox(word->frame().translated(row.layerOffset), view.height());
    const auto cut =
        std::lower_bound(starts.begin(), starts.end(), text.baseline.x() - box.left() - 0.01);
    ASSERT_NE(cut, starts.end());
    EXPECT_NEAR(text.baseline.x(), box.left() + *cut, 0.01);
    EXPECT_EQ(text.text, row.text.mid(cut - starts.begin(), text.text.size()));
    EXPECT_NEAR(text.baseline.y(), box.center().y() + (metrics.ascent() - metrics.descent()) / 2,
                0.01);
    EXPECT_LE(text.baseline.x(), std::max(0.0, box.left()));
    EXPECT_GE(text.baseline.x() + metrics.horizontalAdvance(text.text),
              std::min(view.width(), box.right()));
}

INSTANTIATE_TEST_SUITE_P(
    SvgText, SvgTextPlacement,
    testing::Values(
        PlacementRow{"wholeWord", u"export"_s, 40, QColor(200, 30, 30), {30, 60}, {}, false},
        PlacementRow{
            "escapedInAMovedLayer", u"q&a<b>"_s, 25, QColor(0, 0, 200), {10, 20}, {40, 30}, false},
        PlacementRow{"cutAtTheRightEdge", longWord(), 40, Qt::black, {30, 60}, {}, true},
        PlacementRow{"cutOnBothSides", longWord(), 40, Qt::black, {-50000, 60}, {}, true}),
    [](const auto &info) { return std::string(info.param.name); });

// Words in three faces at four sizes: each face is embedded once, with exactly the
// characters drawn in it, and every character of a word is in a face the word lists.
TEST(SvgText, EmbeddedFacesHoldExactlyTheCharactersDrawn)
{
    Layer root;
    root.setFrame(QRectF(QPointF(0, 0), view));
    const QStringList words{u"naïve"_s, u"ŋ"_s, u"日本"_s, u"art"_s};
    for (int i = 0; i < words.size(); ++i)
        addWord(root, {words[i], wordFont, 20.0 + 10 * i, {}}, {10.0 + 90 * i, 100});

    const SvgPicture::Contents svg = SvgPicture::read(renderLayersToSvg(root, view));
    std::map<QString, QRawFont> faces;
    for (const SvgPicture::Face &face : svg.faces) {
        EXPECT_EQ(faces.count(face.family), 0u) << "embedded twice: " << face.family.toStdString();
        faces[face.family] = QRawFont(face.font, 10);
        EXPECT_TRUE(faces[face.family].isValid()) << face.family.toStdString();
    }
    EXPECT_EQ(faces.size(), 3u);
    ASSERT_EQ(svg.words.size(), std::size_t(words.size()));
    for (const SvgPicture::Word &word : svg.words) {
        for (const QChar character : word.text) {
            const bool found =
                std::any_of(word.families.begin(), word.families.end(), [&](const QString &family) {
                    return faces.count(family) && faces[family].supportsCharacter(character);
                });
            EXPECT_TRUE(found) << word.text.toStdString();
        }
    }
    for (const QChar absent : u"bcdfghjklmopqsuwxyz中"_s) {
        for (const auto &[family, face] : faces)
            EXPECT_FALSE(face.supportsCharacter(absent)) << family.toStdString();
    }
}

struct RendererRow
{
    const char *name;
    QImage (*render)(const QByteArray &svg, QSize viewSize);
};

void PrintTo(const RendererRow &row, std::ostream *out)
{
    *out << row.name;
}

class AnotherRenderer : public testing::TestWithParam<RendererRow>
{
};

// Another renderer draws the PNG export's picture, given only the fonts the file carries
// or the fonts installed: a word a pixel off, in another face or with a missing glyph
// would show. The condensed face's own shaping turns the "r" of "art" into a glyph it
// lacks, which drew a box in every "art", "heart" and "start"; Arabic needs its joining
// forms; Devanagari has no face here at all.
TEST_P(AnotherRenderer, DrawsThePngExportsPicture)
{
    const QSizeF size(400, 300);
    Layer root;
    root.setFrame(QRectF(QPointF(0, 0), size));
    addWord(root, {u"start"_s, wordFont, 60, QColor(30, 120, 200)}, {10, 240});
    addWord(root, {u"naïve"_s, wordFont, 35, QColor(200, 30, 30)}, {220, 250});
    addWord(root, {u"ŋ日本"_s, wordFont, 30, {}}, {220, 190});
    addWord(root, {longWord(), wordFont, 25, {}}, {10, 140});
    addWord(root, {u"heart"_s, wordFont, 40, {}}, {10, 90});
    addWord(root, {u"\u0633\u0644\u0627\u0645"_s, wordFont, 40, {}}, {150, 90});
    addWord(root, {u"\u0928\u092e\u0938\u094d\u0924\u0947"_s, wordFont, 30, {}}, {250, 40});

    const QByteArray svg = renderLayersToSvg(root, size);
    const QImage drawn = GetParam().render(svg, size.toSize());
    const QImage expected = renderLayersToImage(root, size);
    ASSERT_EQ(drawn.size(), expected.size());
    EXPECT_LT(contraryPixelShare(drawn, expected), 0.002);
}

INSTANTIATE_TEST_SUITE_P(
    SvgText, AnotherRenderer,
    testing::Values(RendererRow{"withEmbeddedFacesOnly", SvgPicture::renderedWithEmbeddedFaces},
                    RendererRow{"withInstalledFonts", SvgPicture::renderedWithInstalledFonts}),
    [](const auto &info) { return std::string(info.param.name); });

// One letter of every script Unicode has, most of which no face here draws: each is a
// word of the picture, as text or as outlines named after it. Export crashed on the first
// character no face had.
TEST(SvgText, EveryScriptExports)
{
    const QStringList letters = oneLetterOfEachScript();
    ASSERT_GT(letters.size(), 100);
    Layer root;
    root.setFrame(QRectF(QPointF(0, 0), view));
    for (qsizetype i = 0; i < letters.size(); ++i)
        addWord(root, {letters[i], wordFont, 12, {}}, {10.0 + 20 * (i % 19), 10.0 + 20 * (i / 19)});

    const SvgPicture::Contents svg = SvgPicture::read(renderLayersToSvg(root, view));
    QStringList found = svg.outlinedWords;
    for (const SvgPicture::Word &word : svg.words)
        found << word.text;
    found.sort();
    QStringList expected = letters;
    expected.sort();
    EXPECT_EQ(found, expected);
    EXPECT_FALSE(svg.outlinedWords.isEmpty());
    EXPECT_FALSE(svg.words.empty());
}

} // namespace
