#include "Fonts.h"
#include "PictureSupport.h"

#include <QFontInfo>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using PictureSupport::wordFont;

namespace {

TEST(FontStandIn, ResolvesToTheCondensedFace)
{
    const QFontInfo info(resolveFont(wordFont, 30.0));
    EXPECT_EQ(info.family(), u"BetecknaGSCondensed"_s);
}

TEST(FontMeasure, SizeScalesWithThePointSizeAlone)
{
    const FontMetricsMeasurer measurer;
    const QSizeF small = measurer.preferredSize({u"verbarium"_s, wordFont, 20.0, {}});
    const QSizeF large = measurer.preferredSize({u"verbarium"_s, wordFont, 60.0, {}});
    ASSERT_GT(small.width(), 0.0);
    EXPECT_NEAR(large.width(), 3.0 * small.width(), 0.01 * large.width());
    EXPECT_NEAR(large.height(), 3.0 * small.height(), 0.01 * large.height());
    // A point is a logical pixel: the line is about as tall as the font is large.
    EXPECT_GT(large.height(), 0.8 * 60.0);
    EXPECT_LT(large.height(), 1.6 * 60.0);
}

TEST(FontMeasure, EmptyAndSizelessStringsNeedNoRoom)
{
    const FontMetricsMeasurer measurer;
    EXPECT_EQ(measurer.preferredSize({u""_s, wordFont, 20.0, {}}).width(), 0.0);
    EXPECT_EQ(measurer.preferredSize({u"word"_s, wordFont, 0.0, {}}), QSizeF());
}

} // namespace
