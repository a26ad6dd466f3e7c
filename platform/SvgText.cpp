#include "SvgText.h"

#include "FontSubset.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
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

QTextLine laidOutLine(QTextLayout &layout)
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

} // namespace

void SvgText::addText(const PlacedText &placed, const QFont &font, const QColor &color)
{
    if (placed.text.isEmpty())
        return;
    QStringList families = recordFaces(placed.text, font);
    for (QString &family : families)
        family = cssString(family);
    const QString groupAttributes =
        u"font-family=\"%1\" font-weight=\"%2\" font-style=\"%3\""_s.arg(
            xmlEscaped(families.join(u',')), QString::number(font.weight()),
            cssStyle(font.style()));
    if (groupAttributes != m_groupAttributes) {
        if (!m_groupAttributes.isEmpty())
            m_elements += u"</g>\n"_s;
        m_elements += u"<g "_s + groupAttributes + u" xml:space=\"preserve\">\n"_s;
        m_groupAttributes = groupAttributes;
    }

    // The size the face is drawn at on the device, whose pixels are the user units.
    const qreal size = font.pointSizeF() * m_device->logicalDpiY() / 72.0;
    QString fill = u"fill=\""_s + color.name(QColor::HexRgb) + u'"';
    if (color.alpha() < 255)
        fill += u" fill-opacity=\""_s + number(color.alphaF()) + u'"';
    m_elements += u"<text x=\"%1\" y=\"%2\" font-size=\"%3\" %4>%5</text>\n"_s.arg(
        number(placed.origin.x()), number(placed.origin.y()), number(size), fill,
        xmlEscaped(placed.text));
}

QStringList SvgText::recordFaces(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font, m_device);
    const QTextLine line = laidOutLine(layout);
    QStringList families;
    for (qsizetype i = 0; i < text.size();) {
        const bool isPair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t codePoint =
            isPair ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1)) : text.at(i).unicode();
        const int length = isPair ? 2 : 1;
        // The runs of one character: the face that draws it, a fallback where the
        // named face lacks it.
        for (const QGlyphRun &run : line.glyphRuns(int(i), length)) {
            faceOf(run.rawFont()).codePoints.insert(codePoint);
            if (!families.contains(run.rawFont().familyName()))
                families << run.rawFont().familyName();
        }
        i += length;
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
    return families;
}

SvgText::Face &SvgText::faceOf(const QRawFont &font)
{
    const auto known = std::find_if(m_faces.begin(), m_faces.end(), [&font](const Face &face) {
        return isSameFace(face.font, font);
    });
    if (known != m_faces.end())
        return *known;
    return m_faces.emplace_back(Face{font, {}});
}

QString SvgText::fontFaceRules() const
{
    QString rules;
    for (const Face &face : m_faces) {
        const QByteArray subset = fontSubset(face.font, face.codePoints);
        if (subset.isEmpty())
            continue; // then the installed face of that name draws the words
        const QString type = subset.startsWith("OTTO") ? u"otf"_s : u"ttf"_s;
        rules += u"@font-face{font-family:%1;font-weight:%2;font-style:%3;"
                 "src:url(data:font/%4;base64,%5)}\n"_s.arg(
                     cssString(face.font.familyName()), QString::number(face.font.weight()),
                     cssStyle(face.font.style()), type, QString::fromLatin1(subset.toBase64()));
    }
    return rules;
}

QString SvgText::toSvg() const
{
    if (m_elements.isEmpty())
        return {};
    // The views set text without kerning or optional ligatures; so must a renderer that
    // falls back to an installed face.
    const QString style =
        u"text{font-kerning:none;font-variant-ligatures:none}\n"_s + fontFaceRules();
    return u"<style>\n"_s + style.toHtmlEscaped() + u"</style>\n"_s + m_elements + u"</g>\n"_s;
}
