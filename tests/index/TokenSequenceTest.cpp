#include "QtPrinters.h"
#include "ReferenceTree.h"
#include "StartPhrase.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "TreeText.h"

#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

struct PreparationCase
{
    const char *name;
    QString treeText;
    QString spaced;
    QStringList tokens;
};

void PrintTo(const PreparationCase &preparationCase, std::ostream *out)
{
    *out << preparationCase.name;
}

class TextPreparation : public testing::TestWithParam<PreparationCase>
{
};

TEST_P(TextPreparation, SetsPunctuationApartAndCutsTokens)
{
    const PreparationCase &preparation = GetParam();
    EXPECT_EQ(makeSpaces(preparation.treeText), preparation.spaced);
    EXPECT_EQ(preparedText(preparation.treeText), preparation.spaced.toLower());
    EXPECT_EQ(typedTokens(preparation.treeText), preparation.tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextPreparation,
    testing::Values(
        PreparationCase{"GreetingLowerCasedAgain",
                        u"Hello, world! Bye"_s,
                        u"Hello , world ! Bye  "_s,
                        {u"hello"_s, u","_s, u"world"_s, u"!"_s, u"bye"_s}},
        PreparationCase{
            "TextPieceKeepsItsTrailingSpace", u"word ,"_s, u"word  , "_s, {u"word"_s, u","_s}},
        PreparationCase{"LeadingPunctuationGivesAnEmptyTextPiece",
                        u"\"quoted\""_s,
                        u" \" quoted \" "_s,
                        {u"\""_s, u"quoted"_s, u"\""_s}},
        PreparationCase{"PunctuationRunStaysOneToken",
                        u"a?! b..."_s,
                        u"a ?! b ... "_s,
                        {u"a"_s, u"?!"_s, u"b"_s, u"..."_s}},
        PreparationCase{
            "SymbolsAreNotPunctuation", u"1+1=2 $5"_s, u"1+1=2 $5  "_s, {u"1+1=2"_s, u"$5"_s}},
        PreparationCase{"TabsAndNoBreakSpacesSeparateTokens",
                        u"a\tb\u00A0c"_s,
                        u"a\tb\u00A0c  "_s,
                        {u"a"_s, u"b"_s, u"c"_s}},
        PreparationCase{"SurrogatePairPunctuation",
                        u"x\U00010100y"_s,
                        u"x \U00010100 y  "_s,
                        {u"x"_s, u"\U00010100"_s, u"y"_s}},
        PreparationCase{"OnlySpaces", u"   "_s, QString(), {}},
        PreparationCase{"Empty", QString(), QString(), {}}),
    [](const testing::TestParamInfo<PreparationCase> &info) { return info.param.name; });

TEST(TextPreparation, LowerCasesBeyondTheBasicPlane)
{
    EXPECT_EQ(typedTokens(u"\U00010400BC"_s), QStringList{u"\U00010428bc"_s});
}

QStringList literalTokensOf(const QString &text)
{
    return preparedTokens(preparedText(treeText(text)));
}

// A token's span in the text, lower-cased and its lines joined, is the token: the
// words of a tree can be shown as they stand in the text. Only a final sigma may
// differ, since a span alone lacks the letters around it that decide it.
void expectSpansHoldTheirTokens(const QString &text)
{
    const auto sigmasAlike = [](QString word) { return word.replace(u'\u03C2', u'\u03C3'); };
    const TokenSequence tokens = tokenise(text);
    quint32 previousEnd = 0;
    for (quint32 position = 0; position < tokens.size(); ++position) {
        const TextSpan span = tokens.textSpanAt(position);
        ASSERT_LE(previousEnd, span.begin) << text.toStdString();
        ASSERT_LT(span.begin, span.end) << text.toStdString();
        previousEnd = span.end;
        // Read as a later line: the text's first line alone keeps a trailing space.
        const QString laterLine =
            treeText(u"x\n"_s + text.sliced(span.begin, span.end - span.begin));
        EXPECT_EQ(sigmasAlike(laterLine.sliced(2)), sigmasAlike(tokens.wordAt(position)))
            << text.toStdString();
    }
}

// The one-pass tokens are those of the literal tree text, spaced and lower-cased,
// whatever the mix of letters, cases, sigmas in and out of words, punctuation, whitespace, line
// breaks, line-end hyphens and spaces, and surrogates.
TEST(TextPreparation, OnePassGivesTheTokensOfTheLiteralAnalysis)
{
    static const QStringList pieces{u"a"_s,          u"B"_s,      u"\u03A3"_s,
                                    u"\u0130"_s,     u"\u00E9"_s, u"."_s,
                                    u","_s,          u"?!"_s,     u"$"_s,
                                    u" "_s,          u"\t"_s,     u"\n"_s,
                                    u"\r\n"_s,       u"\u00A0"_s, u"\u2028"_s,
                                    u"\u0085"_s,     u"-"_s,      u"- \n"_s,
                                    u"-\n"_s,        u"\u00AB"_s, u"\U00010400"_s,
                                    u"1"_s,          u"\u0301"_s, u"\u0345"_s,
                                    u"\U00010100"_s, u"'"_s,      QString(QChar(0xD800))};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    const auto randomText = [&](int pieceCount) {
        QString text;
        for (int i = 0; i < pieceCount; ++i)
            text += pieces[pick(random)];
        return text;
    };
    for (int round = 0; round < 4000; ++round) {
        const QString text = randomText(12);
        ASSERT_EQ(typedTokens(text), literalTokensOf(text)) << text.toStdString();
        expectSpansHoldTheirTokens(text);
    }
    // Long enough to be cut in halves, tokenised on two threads and joined.
    const QString text = randomText(1'000'000);
    ASSERT_GT(text.size(), 1 << 20);
    EXPECT_EQ(typedTokens(text), literalTokensOf(text));
}

} // namespace
