#include "CharacterClasses.h"

#include <gtest/gtest.h>

namespace cc = CharacterClasses;

namespace {

// Which of the classes a character belongs to, as letters: L(etter), W(hitespace),
// N(ewline), S(kipped), B(reak of words).
std::string classesOf(char32_t c)
{
    std::string classes;
    if (cc::isLetter(c))
        classes += 'L';
    if (cc::isWhitespace(c))
        classes += 'W';
    if (cc::isLineBreak(c))
        classes += 'N';
    if (cc::isSkipped(c))
        classes += 'S';
    if (cc::isWordBreak(c))
        classes += 'B';
    return classes;
}

struct ClassRow
{
    const char *name;
    char32_t character;
    const char *classes;
};

class CharacterClassesTest : public testing::TestWithParam<ClassRow>
{
};

TEST_P(CharacterClassesTest, BelongsToTheClassesOfItsCategory)
{
    EXPECT_EQ(classesOf(GetParam().character), GetParam().classes);
}

INSTANTIATE_TEST_SUITE_P(
    Unicode, CharacterClassesTest,
    testing::Values(
        ClassRow{"AsciiLetter", U'Q', "L"}, ClassRow{"Digit", U'7', "B"},
        ClassRow{"Apostrophe", U'\'', "B"}, ClassRow{"Space", U' ', "WS"},
        ClassRow{"Tab", U'\t', "WS"}, ClassRow{"LineFeed", U'\n', "NSB"},
        ClassRow{"CarriageReturn", U'\r', "NSB"}, ClassRow{"NextLine", 0x85, "NSB"},
        ClassRow{"LineSeparator", 0x2028, "NSB"}, ClassRow{"ParagraphSeparator", 0x2029, "NSB"},
        ClassRow{"NoBreakSpace", 0xA0, "WS"}, ClassRow{"IdeographicSpace", 0x3000, "WS"},
        ClassRow{"OghamSpace", 0x1680, "WS"}, ClassRow{"ZeroWidthSpaceIsFormat", 0x200B, "B"},
        ClassRow{"CombiningAcute", 0x301, "L"}, ClassRow{"SpacingMark", 0x903, "L"},
        ClassRow{"EnclosingMark", 0x20DD, "L"}, ClassRow{"ModifierLetter", 0x2B0, "L"},
        ClassRow{"TitlecaseLetter", 0x1C5, "L"}, ClassRow{"Cyrillic", 0x416, "L"},
        ClassRow{"Ideograph", 0x6F22, "L"}, ClassRow{"AdlamLetter", 0x1E922, "L"},
        ClassRow{"IdeographExtensionB", 0x20000, "L"}, ClassRow{"MathBoldCapital", 0x1D400, "L"},
        ClassRow{"Emoji", 0x1F600, "B"}, ClassRow{"LoneSurrogate", 0xD800, "B"},
        ClassRow{"HyphenU2010", 0x2010, "B"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CharacterAt, ReadsPairsWholeAndLoneSurrogatesAlone)
{
    const char16_t text[] = {u'a', 0xD835, 0xDC00, 0xD800, u'b', 0xDC00};
    const QStringView view(text, 6);
    EXPECT_EQ(cc::characterAt(view, 1).codePoint, char32_t(0x1D400));
    EXPECT_EQ(cc::characterAt(view, 1).length, 2);
    EXPECT_EQ(cc::characterAt(view, 3).codePoint, char32_t(0xD800));
    EXPECT_EQ(cc::characterAt(view, 3).length, 1);
    EXPECT_EQ(cc::characterAt(view, 5).length, 1); // a low surrogate at the end
}

} // namespace
