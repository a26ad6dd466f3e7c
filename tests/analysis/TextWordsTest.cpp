#include "TestPrinting.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "TreeText.h"

#include <gtest/gtest.h>

namespace {

struct ParseRow
{
    const char *name;
    const char16_t *text;
    const char16_t *treeText;
    // "word:count" pairs, highest count first, first occurrence first within a count.
    const char16_t *words;
};

class TextWordsTest : public testing::TestWithParam<ParseRow>
{
};

TEST_P(TextWordsTest, GivesTheTreeTextAndTheCountedWords)
{
    const ParseRow &row = GetParam();
    const QString text = QString::fromUtf16(row.text);
    EXPECT_EQ(treeText(text), QString::fromUtf16(row.treeText));
    EXPECT_EQ(describe(cloudWordsOfTokens(tokenise(text))),
              QString::fromUtf16(row.words).toStdString());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, TextWordsTest, testing::Values(
    ParseRow{"JoinsLinesWithOneSpace", u"The Cat\nthe cat.", u"the cat the cat.", u"the:2 cat:2"},
    ParseRow{"HyphenJoinsWordAcrossLines", u"well-\nknown words", u"wellknown words", u"wellknown:1 words:1"},
    ParseRow{"HyphenDeletedSpaceBeforeItKept", u"a -\nb", u"a b", u"a:1 b:1"},
    ParseRow{"BlankAndIndentedLinesVanish", u"one\n\n   \n  two", u"one two", u"one:1 two:1"},
    ParseRow{"FirstLineKeepsTrailingSpace", u"a \nb", u"a  b", u"a:1 b:1"},
    ParseRow{"LaterLineLosesOneTrailingSpace", u"x\na \nb", u"x a b", u"x:1 a:1 b:1"},
    ParseRow{"LaterLineLosesOnlyOneOfTwoSpaces", u"x\na  \nb", u"x a  b", u"x:1 a:1 b:1"},
    ParseRow{"FirstLineHyphenSpaceKeepsHyphen", u"a- \nb", u"a-  b", u"a:1 b:1"},
    ParseRow{"LaterLineHyphenSpaceLosesBoth", u"x\na- \nb", u"x ab", u"x:1 ab:1"},
    ParseRow{"HyphenOverBlankLine", u"well-\n\n  known", u"wellknown", u"wellknown:1"},
    ParseRow{"OnlyHyphenMinusJoins", u"well\u2010\nknown", u"well\u2010 known", u"well:1 known:1"},
    ParseRow{"TabIndentationDropped", u"\tHi\n\tyou", u"hi you", u"hi:1 you:1"},
    ParseRow{"CarriageReturnLineFeed", u"a\r\nb\r\n", u"a b", u"a:1 b:1"},
    ParseRow{"LineSeparatorAndNextLine", u"a\u2028b\u0085c\u2029d", u"a b c d", u"a:1 b:1 c:1 d:1"},
    ParseRow{"TrailingSpacesOfLastFirstLine", u"a \n", u"a ", u"a:1"},
    ParseRow{"Empty", u"", u"", u""},
    ParseRow{"OnlyWhitespaceAndLineBreaks", u" \n\t\r\n \u00a0", u"", u""}
), [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Words, TextWordsTest, testing::Values(
    ParseRow{"PunctuationStaysInTreeText", u"Hello, World! HELLO?", u"hello, world! hello?", u"hello:2 world:1"},
    ParseRow{"DigitsAndApostropheBreakWords", u"it's 42nd", u"it's 42nd", u"it:1 s:1 nd:1"},
    ParseRow{"NoLetters", u"2024", u"2024", u""},
    ParseRow{"HyphenInsideLineBreaksWord", u"e-mail", u"e-mail", u"e:1 mail:1"},
    ParseRow{"TabsAndSpacesSeparate", u"a  \tb", u"a  \tb", u"a:1 b:1"},
    ParseRow{"NoBreakSpaceSeparates", u"a\u00a0b\u3000c", u"a\u00a0b\u3000c", u"a:1 b:1 c:1"},
    ParseRow{"ZeroWidthSpaceBreaks", u"a\u200bb", u"a\u200bb", u"a:1 b:1"},
    ParseRow{"GroupsInFirstOccurrenceOrder", u"b a c b a d a", u"b a c b a d a", u"a:3 b:2 c:1 d:1"},
    ParseRow{"PrecomposedDiaeresis", u"Na\u00efve", u"na\u00efve", u"na\u00efve:1"},
    ParseRow{"CombiningDiaeresis", u"Nai\u0308ve", u"nai\u0308ve", u"nai\u0308ve:1"},
    ParseRow{"CyrillicLowerCased", u"\u041f\u0420\u0418\u0412\u0415\u0422 \u043c\u0438\u0440",
             u"\u043f\u0440\u0438\u0432\u0435\u0442 \u043c\u0438\u0440",
             u"\u043f\u0440\u0438\u0432\u0435\u0442:1 \u043c\u0438\u0440:1"},
    ParseRow{"CjkRunIsOneWord", u"\u6f22\u5b57\u304b\u306a\u3002\u6f22\u5b57",
             u"\u6f22\u5b57\u304b\u306a\u3002\u6f22\u5b57", u"\u6f22\u5b57\u304b\u306a:1 \u6f22\u5b57:1"}
), [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(LowerCasing, TextWordsTest, testing::Values(
    ParseRow{"GreekFinalSigma", u"\u039f\u0394\u039f\u03a3 \u039f\u0394\u039f\u03a3.",
             u"\u03bf\u03b4\u03bf\u03c2 \u03bf\u03b4\u03bf\u03c2.", u"\u03bf\u03b4\u03bf\u03c2:2"},
    ParseRow{"SigmaBeforeAsciiLetterIsNotFinal", u"\u039f\u03a3a", u"\u03bf\u03c3a", u"\u03bf\u03c3a:1"},
    ParseRow{"SigmaAcrossApostropheIsNotFinal", u"\u039f\u03a3'S", u"\u03bf\u03c3's", u"\u03bf\u03c3:1 s:1"},
    ParseRow{"SigmaAfterAsciiLetterIsFinal", u"A\u03a3 b", u"a\u03c2 b", u"a\u03c2:1 b:1"},
    ParseRow{"LoneSigmaIsNotFinal", u"\u03a3 x", u"\u03c3 x", u"\u03c3:1 x:1"},
    ParseRow{"TurkishDottedCapitalI", u"\u0130stanbul", u"i\u0307stanbul", u"i\u0307stanbul:1"},
    ParseRow{"NoTurkishDotlessI", u"TITLE", u"title", u"title:1"}
), [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Supplementary, TextWordsTest, testing::Values(
    ParseRow{"MathLetterInsideWord", u"a\U0001d400bc", u"a\U0001d400bc", u"a\U0001d400bc:1"},
    ParseRow{"AdlamLowerCased", u"\U0001e900\U0001e922", u"\U0001e922\U0001e922", u"\U0001e922\U0001e922:1"},
    ParseRow{"RareIdeographIsLetter", u"\U00020000x", u"\U00020000x", u"\U00020000x:1"},
    ParseRow{"EmojiBreaksWords", u"a\U0001f600b", u"a\U0001f600b", u"a:1 b:1"},
    ParseRow{"LoneSurrogateBreaksWords", u"a\xd800" u"b\xdc00" u"c", u"a\xd800" u"b\xdc00" u"c", u"a:1 b:1 c:1"},
    ParseRow{"PairFormedByDeletedHyphen", u"a\xd835-\n\xdc00" u"b", u"a\U0001d400b", u"a\U0001d400b:1"}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
