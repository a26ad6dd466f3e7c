#include "TokensHoldingWord.h"

#include "QtPrinters.h"
#include "TextIndex.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct HoldingRow
{
    const char *name;
    QString text;
    QString word;
    QList<HoldingToken> holding;
};

void PrintTo(const HoldingRow &row, std::ostream *out)
{
    *out << row.name;
}

class TokensHolding : public testing::TestWithParam<HoldingRow>
{
};

// The cloud counts runs of letters, the tree whole tokens: these are the tokens where
// the cloud finds a word and the tree does not.
TEST_P(TokensHolding, AreTheLongerTokensWithTheWordAsARunOfLetters)
{
    const HoldingRow &row = GetParam();
    EXPECT_EQ(tokensHoldingWord(*TextIndex::build(row.text), row.word), row.holding);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokensHolding,
    testing::Values(
        HoldingRow{"Digits", u"x86 chips and x86 code. h2o"_s, u"x"_s, {{u"x86"_s, 2}}},
        HoldingRow{"MostFrequentFirst", u"h2o x86 h2o"_s, u"h"_s, {{u"h2o"_s, 2}}},
        HoldingRow{"SeveralTokens", u"a1 b a2 a2"_s, u"a"_s, {{u"a2"_s, 2}, {u"a1"_s, 1}}},
        HoldingRow{"ZeroWidthJoiner", u"foo\u200Dbar foo"_s, u"foo"_s, {{u"foo\u200Dbar"_s, 1}}},
        HoldingRow{"ByteOrderMark", u"one\uFEFFtwo"_s, u"two"_s, {{u"one\uFEFFtwo"_s, 1}}},
        HoldingRow{"Nul",
                   QStringLiteral("nul\0led").append(u" end"_s),
                   u"led"_s,
                   {{QStringLiteral("nul\0led"), 1}}},
        // "xx1" holds "xx", not "x"; "box" holds "box" alone.
        HoldingRow{"OnlyWholeRuns", u"xx1 box"_s, u"x"_s, {}},
        HoldingRow{"WordItselfIsNoHolder", u"x x"_s, u"x"_s, {}}),
    [](const testing::TestParamInfo<HoldingRow> &info) { return info.param.name; });

} // namespace
