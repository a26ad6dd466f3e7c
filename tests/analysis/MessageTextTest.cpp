#include "MessageText.h"

#include "TestPrinting.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct EscapeRow
{
    const char *name;
    QString text;
    QString escaped;
};

void PrintTo(const EscapeRow &row, std::ostream *out)
{
    *out << row.name;
}

class EscapedControls : public testing::TestWithParam<EscapeRow>
{
};

TEST_P(EscapedControls, KeepAMessageOnOneHarmlessLine)
{
    EXPECT_EQ(escapedControls(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, EscapedControls,
    testing::Values(EscapeRow{"plainNameStays", u"b\u00fccher/Wal.txt"_s, u"b\u00fccher/Wal.txt"_s},
                    EscapeRow{"lineBreaksAndTabs", u"a\nb\r\tc"_s, u"a\\nb\\r\\tc"_s},
                    EscapeRow{"terminalEscape", u"x\x1b[31mRED\x7f"_s, u"x\\x1b[31mRED\\x7f"_s},
                    EscapeRow{"c1Control", u"a\u0085b"_s, u"a\\x85b"_s},
                    EscapeRow{"separatorsAndDirectionMarks", u"a\u2028b\u202ec\u2066"_s,
                              u"a\\u{2028}b\\u{202e}c\\u{2066}"_s},
                    EscapeRow{"pairsAndMarksStay", u"\U0001d41a\u0301\u200d"_s,
                              u"\U0001d41a\u0301\u200d"_s}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
