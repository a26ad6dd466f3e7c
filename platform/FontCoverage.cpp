#include "FontCoverage.h"

#include "Fonts.h"
#include "Layer.h"
#include "TextLayer.h"
#include "VisibleText.h"

#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether each character met so far has a face, by font name.
using Coverage = QHash<QString, QHash<char32_t, bool>>;

QList<QGlyphRun> glyphRunsOf(const QString &text, const QFont &font, int from = -1, int length = -1)
{
    QTextLayout layout(text, font);
    return layOutOneLine(layout).glyphRuns(from, length);
}

bool allHaveAFace(const QList<QGlyphRun> &runs)
{
    return std::all_of(runs.begin(), runs.end(), drawsGlyphsOfAFace);
}

// Notes which characters of text have a face: laid out once when they all do, one by
// one only when some do not. A character already known costs nothing.
void learnCoverage(const QString &text, const QFont &font, QHash<char32_t, bool> &known)
{
    const QList<uint> codePoints = text.toUcs4();
    if (std::all_of(codePoints.begin(), codePoints.end(),
                    [&known](uint codePoint) { return known.contains(codePoint); }))
        return;
    if (allHaveAFace(glyphRunsOf(text, font))) {
        for (const uint codePoint : codePoints)
            known.insert(codePoint, true);
        return;
    }
    for (const uint codePoint : codePoints) {
        const char32_t character = codePoint;
        if (!known.contains(character))
            known.insert(character,
                         allHaveAFace(glyphRunsOf(QString::fromUcs4(&character, 1), font)));
    }
}

void learnCoverage(const Layer &layer, Coverage &coverage)
{
    if (const auto *text = dynamic_cast<const TextLayer *>(&layer);
        text && !text->string().text.isEmpty()) {
        const AttributedString &string = text->string();
        // Which face draws a character does not depend on the size.
        learnCoverage(string.text, resolveFont(string.fontName, 12.0), coverage[string.fontName]);
    }
    for (const std::unique_ptr<Layer> &sublayer : layer.sublayers())
        learnCoverage(*sublayer, coverage);
}

QString scriptName(char32_t codePoint)
{
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(UChar32(codePoint), &status);
    if (U_FAILURE(status) || script == USCRIPT_COMMON || script == USCRIPT_INHERITED ||
        script == USCRIPT_UNKNOWN)
        return u"symbols or marks of no one script"_s;
    return QString::fromLatin1(uscript_getName(script));
}

} // namespace

bool drawsGlyphsOfAFace(const QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    // Qt's own box stands in a font without tables; a face's own box is its glyph 0.
    return font.isValid() && !font.fontTable("head").isEmpty() && !run.glyphIndexes().contains(0);
}

QStringList scriptsWithoutFont(const Layer &root)
{
    Coverage coverage;
    learnCoverage(root, coverage);
    QStringList scripts;
    for (const QHash<char32_t, bool> &known : std::as_const(coverage)) {
        for (auto it = known.begin(); it != known.end(); ++it) {
            // Characters that show nothing (joiners, marks of direction) need no glyph.
            if (it.value() ||
                u_hasBinaryProperty(UChar32(it.key()), UCHAR_DEFAULT_IGNORABLE_CODE_POINT))
                continue;
            const QString script = scriptName(it.key());
            if (!scripts.contains(script))
                scripts << script;
        }
    }
    scripts.sort();
    return scripts;
}
