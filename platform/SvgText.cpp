#include "SvgText.h"

#include "FontCoverage.h"
#include "FontSubset.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QString number(qreal value)
{
    return QString::number(value, 'g', 10);
}

// XML 1.0 cannot carry control characters or unpaired surrogates, not even escaped.
bool isXmlCharacter(char32_t codePoint)
{
    return codePoint == 0x9 || codePoint == 0xA || codePoint == 0xD ||
           (codePoint >= 0x20 && codePoint <= 0xD7FF) ||
           (codePoint >= 0xE000 && codePoint <= 0xFFFD) || codePoint >= 0x10000;
}

QString xmlEscaped(const QString &text)
{
    QString kept;
    for (const char32_t codePoint : text.toUcs4()) {
        if (isXmlCharacter(codePoint))
            kept += QString::fromUcs4(&codePoint, 1);
    }
    return kept.toHtmlEscaped();
}

// A quoted CSS string; the caller escapes it for XML.
QString cssString(QString text)
{
    text.replace(u'\\', u"\\\\"_s).replace(u'\'', u"\\'"_s);
    return u'\'' + text + u'\'';
}

QString cssStyle(QFont::Style style)
{
    switch (style) {
    case QFont::StyleItalic:
        return u"italic"_s;
    case QFont::StyleOblique:
        return u"oblique"_s;
    case QFont::StyleNormal:
        break;
    }
    return u"normal"_s;
}

// A face is the same at every size: one subset serves all sizes of it.
bool isSameFace(const QRawFont &first, const QRawFont &second)
{
    return first.familyName() == second.familyName() && first.styleName() == second.styleName() &&
           first.weight() == second.weight() && first.style() == second.style() &&
           first.fontTable("head") == second.fontTable("head");
}

// Whether a subset can be made of the face: Qt hands out its tables (not for every kind
// of font file), and it has outlines of a kind a subset carries.
bool isEmbeddable(const QRawFont &font)
{
    for (const char *required : {"cmap", "head", "hhea", "hmtx", "maxp"}) {
        if (font.fontTable(required).isEmpty())
            return false;
    }
    for (const char *outlines : {"glyf", "CFF ", "CFF2", "CBDT", "sbix"}) {
        if (!font.fontTable(outlines).isEmpty())
            return true;
    }
    return false;
}

QString fillAttributes(const QColor &color)
{
    QString fill = u"fill=\""_s + color.name(QColor::HexRgb) + u'"';
    if (color.alpha() < 255)
        fill += u" fill-opacity=\""_s + number(color.alphaF()) + u'"';
    return fill;
}

// The path's outline in SVG's path syntax, to a hundredth of a unit.
QString pathData(const QPainterPath &path)
{
    const auto point = [](const QPainterPath::Element &element) {
        return QString::number(element.x, 'f', 2) + u' ' + QString::number(element.y, 'f', 2);
    };
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            data += u'M' + point(element);
            break;
        case QPainterPath::LineToElement:
            data += u'L' + point(element);
            break;
        case QPainterPath::CurveToElement:
            data += u'C' + point(element) + u' ' + point(path.elementAt(i + 1)) + u' ' +
                    point(path.elementAt(i + 2));
            i += 2;
            break;
        case QPainterPath::CurveToDataElement:
            break; // taken with the curve it belongs to
        }
    }
    return data;
}

} // namespace

void SvgText::addText(const PlacedText &placed, const QFont &font, const QColor &color)
{
    if (placed.text.isEmpty())
        return;
    const QString fill = fillAttributes(color);
    QTextLayout layout(placed.text, font, m_device);
    const QTextLine line = layOutOneLine(layout);
    const std::optional<std::vector<DrawnCharacter>> characters =
        drawnCharacters(placed.text, line);
    if (!characters) {
        addOutline(placed, line, fill);
        return;
    }
    openGroup(*characters, font);

    // The size the face is drawn at on the device, whose pixels are the user units.
    const qreal size = font.pointSizeF() * m_device->logicalDpiY() / 72.0;
    const bool unshaped =
        std::all_of(characters->begin(), characters->end(),
                    [](const DrawnCharacter &character) { return character.nominal; });
    QPointF start = placed.origin;
    QString content;
    if (!unshaped) {
        content = xmlEscaped(placed.text);
    } else {
        // Each character a text chunk of its own, which no renderer shapes across.
        start += characters->front().position;
        content = xmlEscaped(characters->front().text);
        qreal y = start.y();
        for (std::size_t i = 1; i < characters->size(); ++i) {
            const DrawnCharacter &character = (*characters)[i];
            const QPointF at = placed.origin + character.position;
            content += u"<tspan x=\""_s + number(at.x()) + u'"';
            if (at.y() != y)
                content += u" y=\""_s + number(at.y()) + u'"';
            y = at.y();
            content += u'>' + xmlEscaped(character.text) + u"</tspan>"_s;
        }
    }
    m_elements += u"<text x=\"%1\" y=\"%2\" font-size=\"%3\" %4>%5</text>\n"_s.arg(
        number(start.x()), number(start.y()), number(size), fill, content);
}

std::optional<std::vector<SvgText::DrawnCharacter>> SvgText::drawnCharacters(const QString &text,
                                                                             const QTextLine &line)
{
    struct Use
    {
        Face *face;
        char32_t codePoint;
        QList<quint32> glyphs;
    };
    std::vector<Use> uses;
    std::vector<DrawnCharacter> characters;
    for (qsizetype i = 0; i < text.size();) {
        const bool isPair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t codePoint =
            isPair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        const int length = isPair ? 2 : 1;
        // The runs of one character: the face that draws it, a fallback where the
        // named face lacks it.
        const QList<QGlyphRun> runs = line.glyphRuns(int(i), length);
        DrawnCharacter character{text.mid(i, length), nullptr, {}, runs.size() == 1};
        for (const QGlyphRun &run : runs) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            if (!drawsGlyphsOfAFace(run))
                return std::nullopt;
            Face *face = faceOf(font);
            if (!face->embeddable)
                return std::nullopt;
            uses.push_back({face, codePoint, glyphs});
            if (!character.face) {
                character.face = face;
                character.position = run.positions().value(0) - QPointF(0.0, line.ascent());
            }
            character.nominal = character.nominal && glyphs.size() == 1 &&
                                font.glyphIndexesForString(character.text).value(0) == glyphs[0];
        }
        characters.push_back(std::move(character));
        i += length;
    }
    // Only a word carried as text adds to the subsets.
    for (const Use &use : uses) {
        use.face->codePoints.insert(use.codePoint);
        for (const quint32 glyph : use.glyphs)
            use.face->glyphs.insert(glyph);
    }
    return characters;
}

SvgText::Face *SvgText::faceOf(const QRawFont &font)
{
    const auto known =
        std::find_if(m_faces.begin(), m_faces.end(), [&font](const std::unique_ptr<Face> &face) {
            return isSameFace(face->font, font);
        });
    if (known != m_faces.end())
        return known->get();
    return m_faces.emplace_back(std::make_unique<Face>(Face{font, isEmbeddable(font), {}, {}}))
        .get();
}

void SvgText::openGroup(const std::vector<DrawnCharacter> &characters, const QFont &font)
{
    QStringList families;
    for (const DrawnCharacter &character : characters) {
        if (character.face && !families.contains(character.face->font.familyName()))
            families << character.face->font.familyName();
    }
    // Where two faces have a character, a renderer takes the first family listed: the
    // one Qt prefers.
    const QStringList preferred = font.families();
    const auto rank = [&preferred](const QString &family) {
        const qsizetype index = preferred.indexOf(family);
        return index < 0 ? preferred.size() : index;
    };
    std::stable_sort(families.begin(), families.end(),
                     [&rank](const QString &a, const QString &b) { return rank(a) < rank(b); });
    for (QString &family : families)
        family = cssString(family);
    const QString groupAttributes =
        u"font-family=\"%1\" font-weight=\"%2\" font-style=\"%3\""_s.arg(
            xmlEscaped(families.join(u',')), QString::number(font.weight()),
            cssStyle(font.style()));
    if (groupAttributes == m_groupAttributes)
        return;
    if (!m_groupAttributes.isEmpty())
        m_elements += u"</g>\n"_s;
    m_elements += u"<g "_s + groupAttributes + u" xml:space=\"preserve\">\n"_s;
    m_groupAttributes = groupAttributes;
}

void SvgText::addOutline(const PlacedText &placed, const QTextLine &line, const QString &fill)
{
    const QPainterPath outline = outlinesOf(line, placed.origin);
    const QString rule = outline.fillRule() == Qt::WindingFill ? u"nonzero"_s : u"evenodd"_s;
    // The word stays findable by its name, if not as text.
    m_elements += u"<path aria-label=\"%1\" fill-rule=\"%2\" %3 d=\"%4\"/>\n"_s.arg(
        xmlEscaped(placed.text), rule, fill, pathData(outline));
}

QString SvgText::fontFaceRules() const
{
    QString rules;
    for (const std::unique_ptr<Face> &face : m_faces) {
        if (face->codePoints.isEmpty())
            continue; // every word in it became outlines
        const QByteArray subset = fontSubset(face->font, face->codePoints, face->glyphs);
        if (subset.isEmpty())
            continue; // then the installed face of that name draws the words
        const QString type = subset.startsWith("OTTO") ? u"otf"_s : u"ttf"_s;
        rules += u"@font-face{font-family:%1;font-weight:%2;font-style:%3;"
                 "src:url(data:font/%4;base64,%5)}\n"_s.arg(
                     cssString(face->font.familyName()), QString::number(face->font.weight()),
                     cssStyle(face->font.style()), type, QString::fromLatin1(subset.toBase64()));
    }
    return rules;
}

QString SvgText::toSvg() const
{
    if (m_elements.isEmpty())
        return {};
    QString svg;
    if (const QString rules = fontFaceRules(); !rules.isEmpty())
        svg = u"<style>\n"_s + rules.toHtmlEscaped() + u"</style>\n"_s;
    svg += m_elements;
    if (!m_groupAttributes.isEmpty())
        svg += u"</g>\n"_s;
    return svg;
}
