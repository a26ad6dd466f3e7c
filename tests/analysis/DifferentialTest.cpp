#include "ReferenceAnalysis.h"
#include "TestPrinting.h"
#include "TokenWords.h"
#include "Tokeniser.h"
#include "TreeText.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

namespace {

// Pieces chosen to meet every rule: cases, final sigma contexts, line breaks of
// every kind, hyphens at line ends, trailing spaces, marks, pairs and lone halves,
// punctuation runs and symbols (which tokens set apart or keep).
constexpr std::array<const char16_t *, 45> pieces = {
    u"a",          u"B",          u"cat",        u"The",    u"\u03a3", u"\u039f", u"\u0130",
    u"\u00c9",     u"\u0301",     u"\u6f22",     u"\u0416", u" ",      u"  ",     u"\t",
    u"\u00a0",     u"\u3000",     u"\n",         u"\r\n",   u"\u2028", u"\u0085", u"\u2029",
    u"-",          u"-\n",        u" -\n",       u"'",      u".",      u",",      u"4",
    u"\U0001d400", u"\U0001e900", u"\U0001f600", u"\xd835", u"\xdc00", u"\u2010", u"x ",
    u"\n ",        u"\u200b",     u"\u00df",     u"?!",     u"$",      u"\u00ab", u"\u0345",
    u"\U00010400", u"\U00010100", u"- \n"};

QString randomText(std::mt19937 &random, int maxPieces)
{
    std::uniform_int_distribution<int> length(0, maxPieces);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    QString text;
    for (int i = length(random); i > 0; --i)
        text += QString::fromUtf16(pieces[piece(random)]);
    return text;
}

void expectSameAsReference(const QString &text)
{
    const ReferenceAnalysis expected = analyseLiterally(text);
    const QString joined = treeText(text);
    ASSERT_EQ(joined, expected.treeText) << "input: " << text.toStdString();
    // The counts command tokenises the tree text in the text's place.
    for (const QString &tokenised : {text, joined}) {
        const WordDictionary words = cloudWordsOfTokens(tokenise(tokenised));
        ASSERT_EQ(words.entries(), expected.words.entries())
            << "input: " << tokenised.toStdString() << "\nfast: " << describe(words)
            << "\nreference: " << describe(expected.words);
    }
}

TEST(TextPathDifferential, AgreesWithTheLiteralStepsOnRandomTexts)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 4000; ++round) {
        expectSameAsReference(randomText(random, 30));
        if (HasFatalFailure())
            return;
    }
}

TEST(TextPathDifferential, AgreesOnALongTextWithManyDistinctWords)
{
    // Thousands of distinct words over many count groups: reaches the group caps.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> wordLength(1, 6);
    std::geometric_distribution<int> repeats(0.3);
    QString text;
    for (int i = 0; i < 30000; ++i) {
        QString word;
        for (int k = wordLength(random); k > 0; --k)
            word += QChar(u'a' + letter(random));
        for (int r = repeats(random); r >= 0; --r)
            text += word + QChar(r % 7 == 0 ? u'\n' : u' ');
        text += randomText(random, 2);
    }
    expectSameAsReference(text);
}

} // namespace
