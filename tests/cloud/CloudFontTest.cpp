#include "CloudBuilder.h"
#include "Fonts.h"

#include <QGlyphRun>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Glyph 0 is a face's "missing glyph" box.
int missingGlyphs(const QString &word)
{
    QTextLayout layout(word, resolveFont(cloudFontName, 30.0));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int missing = 0;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        for (const quint32 glyph : run.glyphIndexes())
            missing += glyph == 0 ? 1 : 0;
    }
    return missing;
}

TEST(CloudFont, EveryLetterOfCommonWordsHasAGlyph)
{
    for (const QString &word : {u"art"_s, u"heart"_s, u"earth"_s, u"north"_s, u"shall"_s,
                                u"\u00e9t\u00e9"_s, u"\u03bb\u03cc\u03b3\u03bf\u03c2"_s})
        EXPECT_EQ(missingGlyphs(word), 0) << word.toStdString();
}

} // namespace
