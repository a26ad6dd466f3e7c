#include "CsvWriter.h"
#include "JsonWriter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct TextRow
{
    const char *name;
    const char16_t *input;
    const char16_t *expected;
};

class JsonQuotingTest : public testing::TestWithParam<TextRow>
{
};

TEST_P(JsonQuotingTest, EscapesWhatRfc8259Requires)
{
    EXPECT_EQ(JsonWriter::quoted(QStringView(GetParam().input)),
              QString::fromUtf16(GetParam().expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Strings, JsonQuotingTest, testing::Values(
    TextRow{"Plain", u"word", u"\"word\""},
    TextRow{"QuoteAndBackslash", u"a\"b\\c", u"\"a\\\"b\\\\c\""},
    TextRow{"NamedControls", u"\b\f\n\r\t", u"\"\\b\\f\\n\\r\\t\""},
    TextRow{"OtherControls", u"\x01\x1f", u"\"\\u0001\\u001f\""},
    TextRow{"SlashAndNonAsciiUnchanged", u"/\u00e9\u2028\U0001d400", u"\"/\u00e9\u2028\U0001d400\""},
    TextRow{"LoneSurrogatesEscaped", u"\xd800x\xdc00", u"\"\\ud800x\\udc00\""}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(JsonWriter, KeepsKeysInOrderAndSeparatesElements)
{
    JsonWriter json;
    json.beginObject();
    json.field(u"z", 1);
    json.field(u"a", u"x"_s);
    json.key(u"list");
    json.beginArray();
    json.value(true);
    json.nullValue();
    json.beginObject();
    json.endObject();
    json.value(qint64(1) << 40);
    json.endArray();
    json.endObject();
    EXPECT_EQ(json.toUtf8(), "{\"z\":1,\"a\":\"x\",\"list\":[true,null,{},1099511627776]}\n");
}

struct NumberRow
{
    const char *name;
    double value;
    bool single;
    const char *expected;
};

class JsonNumberTest : public testing::TestWithParam<NumberRow>
{
};

TEST_P(JsonNumberTest, WritesTheShortestFormThatReadsBack)
{
    const NumberRow &row = GetParam();
    JsonWriter json;
    json.beginArray();
    if (row.single)
        json.value(float(row.value));
    else
        json.value(row.value);
    json.endArray();
    EXPECT_EQ(json.toUtf8(), QByteArray("[") + row.expected + "]\n");
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, JsonNumberTest,
    testing::Values(NumberRow{"FloatTenth", 0.1, true, "0.1"},
                    NumberRow{"FloatWhole", 12.0, true, "12"},
                    NumberRow{"FloatNeedsEightDigits", 16777217.0 / 3.0, true, "5592405.5"},
                    NumberRow{"FloatThird", 1.0 / 3.0, true, "0.33333334"},
                    NumberRow{"DoubleThird", 1.0 / 3.0, false, "0.3333333333333333"},
                    NumberRow{"NotFiniteIsNull", std::numeric_limits<double>::infinity(), false,
                              "null"}),
    [](const auto &info) { return std::string(info.param.name); });

class CsvFieldTest : public testing::TestWithParam<TextRow>
{
};

TEST_P(CsvFieldTest, QuotesOnlyWhereRfc4180Requires)
{
    EXPECT_EQ(CsvWriter::field(QString::fromUtf16(GetParam().input)),
              QString::fromUtf16(GetParam().expected));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, CsvFieldTest, testing::Values(
    TextRow{"Plain", u"na\u00efve", u"na\u00efve"},
    TextRow{"Comma", u"a,b", u"\"a,b\""},
    TextRow{"Quote", u"say \"hi\"", u"\"say \"\"hi\"\"\""},
    TextRow{"LineBreaks", u"a\r\nb", u"\"a\r\nb\""},
    TextRow{"SpacesNeedNoQuotes", u" a ", u" a "}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
