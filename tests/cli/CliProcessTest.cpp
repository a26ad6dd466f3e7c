#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct OutputRow
{
    const char *name;
    QStringList arguments; // after "counts"; input comes on standard input
    QByteArray input;
    QByteArray expected;
};

class CountsOutputTest : public testing::TestWithParam<OutputRow>
{
};

TEST_P(CountsOutputTest, PrintsTheAnalysis)
{
    const OutputRow &row = GetParam();
    const CliRun run = runCli(QStringList{u"counts"_s} + row.arguments, row.input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, row.expected);
    EXPECT_EQ(run.err, QByteArray());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Formats, CountsOutputTest, testing::Values(
    OutputRow{"JsonByDefault", {}, "The Cat\nthe cat.",
              "{\"treeText\":\"the cat the cat.\",\"words\":{\"the\":2,\"cat\":2}}\n"},
    OutputRow{"JsonGroupsHighestFirst", {u"-"_s}, "b a c b a d a",
              "{\"treeText\":\"b a c b a d a\",\"words\":{\"a\":3,\"b\":2,\"c\":1,\"d\":1}}\n"},
    OutputRow{"JsonEscapesTreeText", {u"--format"_s, u"json"_s}, "Say \"Hi\"\\\tyo",
              "{\"treeText\":\"say \\\"hi\\\"\\\\\\tyo\",\"words\":{\"say\":1,\"hi\":1,\"yo\":1}}\n"},
    OutputRow{"JsonEmptyText", {}, "", "{\"treeText\":\"\",\"words\":{}}\n"},
    OutputRow{"JsonUtf8", {}, "\xce\x9f\xce\x94\xce\x9f\xce\xa3.",
              "{\"treeText\":\"\xce\xbf\xce\xb4\xce\xbf\xcf\x82.\",\"words\":{\"\xce\xbf\xce\xb4\xce\xbf\xcf\x82\":1}}\n"},
    OutputRow{"ByteOrderMarkDropped", {}, "\xef\xbb\xbfHi hi",
              "{\"treeText\":\"hi hi\",\"words\":{\"hi\":2}}\n"},
    OutputRow{"SecondByteOrderMarkIsContent", {}, "\xef\xbb\xbf\xef\xbb\xbfHi",
              "{\"treeText\":\"\xef\xbb\xbfhi\",\"words\":{\"hi\":1}}\n"},
    OutputRow{"CsvCountThenCodeUnits", {u"--format=csv"_s}, "b a c b a d a \xc3\x89mile zeta",
              "word,count\r\na,3\r\nb,2\r\nc,1\r\nd,1\r\nzeta,1\r\n\xc3\xa9mile,1\r\n"},
    // U+1D41A is stored as a surrogate pair (0xD835...), which sorts before U+FF41.
    OutputRow{"CsvOrdersByCodeUnitsNotCodePoints", {u"--format=csv"_s},
              "\xef\xbd\x81 \xf0\x9d\x90\x9a",
              "word,count\r\n\xf0\x9d\x90\x9a,1\r\n\xef\xbd\x81,1\r\n"},
    OutputRow{"CsvHeaderOnlyWithoutWords", {u"--format"_s, u"csv"_s}, "42", "word,count\r\n"},
    // The tree text goes out in pieces of 2^20 code units: the pair at the first
    // piece's end stays whole, not two escaped halves.
    OutputRow{"JsonPairAtAPiecesEnd", {}, QByteArray((1 << 20) - 1, 'a') + "\xf0\x9f\x98\x80",
              "{\"treeText\":\"" + QByteArray((1 << 20) - 1, 'a') + "\xf0\x9f\x98\x80\",\"words\":{\""
                  + QByteArray((1 << 20) - 1, 'a') + "\":1}}\n"}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(CountsCommand, ReadsAFileAndWritesTheOutputFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile input(dir.filePath(u"in.txt"_s));
    ASSERT_TRUE(input.open(QIODevice::WriteOnly));
    input.write("well-\nknown words\n");
    input.close();

    const QString outputPath = dir.filePath(u"out.csv"_s);
    const CliRun run =
        runCli({u"counts"_s, input.fileName(), u"--format"_s, u"csv"_s, u"--output"_s, outputPath});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray());
    QFile output(outputPath);
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    EXPECT_EQ(output.readAll(), "word,count\r\nwellknown,1\r\nwords,1\r\n");
    // The temporary file it was written to is gone.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{u"in.txt"_s, u"out.csv"_s}));
}

TEST(Usage, HelpGoesToStandardOutputWithStatusZero)
{
    for (const QStringList &arguments : {QStringList{u"--help"_s}, {u"counts"_s, u"--help"_s}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.startsWith("Usage: verbarium-cli")) << run.out.toStdString();
        EXPECT_EQ(run.err, QByteArray());
    }
}

struct BadArgumentsRow
{
    const char *name;
    QStringList arguments;
};

class BadArgumentsTest : public testing::TestWithParam<BadArgumentsRow>
{
};

TEST_P(BadArgumentsTest, PrintUsageOnStandardErrorWithStatusTwo)
{
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.contains("Usage: verbarium-cli")) << run.err.toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, BadArgumentsTest, testing::Values(
    BadArgumentsRow{"NoCommand", {}},
    BadArgumentsRow{"UnknownCommand", {u"frobnicate"_s}},
    BadArgumentsRow{"UnknownOption", {u"counts"_s, u"--bogus"_s}},
    BadArgumentsRow{"UnknownFormat", {u"counts"_s, u"--format"_s, u"xml"_s}},
    BadArgumentsRow{"MissingOptionValue", {u"counts"_s, u"--output"_s}},
    BadArgumentsRow{"ThreeInputsToKeyness", {u"keyness"_s, u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}},
    // Qt took these for itself: the first aborted, the second loaded plugins from DIR.
    BadArgumentsRow{"QtsPlatformOption", {u"counts"_s, u"--platform"_s, u"xcb"_s}},
    BadArgumentsRow{"QtsPluginPathOption", {u"counts"_s, u"-platformpluginpath"_s, u"/tmp"_s}}
), [](const auto &info) { return std::string(info.param.name); });

struct EnvironmentRow
{
    const char *name;
    QStringList variables; // NAME=VALUE
};

void PrintTo(const EnvironmentRow &row, std::ostream *out)
{
    *out << row.name;
}

class PlatformEnvironment : public testing::TestWithParam<EnvironmentRow>
{
};

// The environment's choice of platform aborted the run with Qt's fatal message where
// there was no such display, or loaded plugins from elsewhere.
TEST_P(PlatformEnvironment, IsNotAsked)
{
    const CliRun run = runCliWith(
        {u"cloud"_s},
        [](QProcess &process) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.remove(u"DISPLAY"_s);
            environment.remove(u"WAYLAND_DISPLAY"_s);
            for (const QString &variable : GetParam().variables)
                environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
            process.setProcessEnvironment(environment);
        },
        "the words of the text");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QByteArray());
    EXPECT_TRUE(run.out.startsWith("{\"width\""));
}

INSTANTIATE_TEST_SUITE_P(
    Environment, PlatformEnvironment,
    testing::Values(EnvironmentRow{"xcbWithoutADisplay", {u"QT_QPA_PLATFORM=xcb"_s}},
                    EnvironmentRow{"wayland", {u"QT_QPA_PLATFORM=wayland"_s}},
                    EnvironmentRow{"pluginsFromElsewhere",
                                   {u"QT_QPA_PLATFORM_PLUGIN_PATH=/nonexistent"_s,
                                    u"QT_QPA_PLATFORM=offscreen"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

struct EscapeRow
{
    const char *name;
    QStringList arguments;
    QByteArray message; // all of standard error
};

void PrintTo(const EscapeRow &row, std::ostream *out)
{
    *out << row.name;
}

class ControlCharacters : public testing::TestWithParam<EscapeRow>
{
};

// A name's line feed broke the message in two, and its escape sequence reached the
// terminal.
TEST_P(ControlCharacters, InNamesAreEscapedOnOneLine)
{
    const CliRun run = runCli(GetParam().arguments, "text");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ControlCharacters,
    testing::Values(
        EscapeRow{"inTheInput",
                  {u"counts"_s, u"a\nb\x1b[31mRED"_s},
                  "verbarium-cli: a\\nb\\x1b[31mRED: no such file\n"},
        EscapeRow{"inTheOutput",
                  {u"counts"_s, u"--output"_s, u"/nonexistent/\tx\u202e\r"_s},
                  "verbarium-cli: /nonexistent/\\tx\\u{202e}\\r: cannot be written (no "
                  "temporary file can be made beside it: No such file or directory)\n"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

struct FailureRow
{
    const char *name;
    QByteArray fileContent; // written to "input.txt"; "<dir>" makes it a directory
    bool createFile;
    const char *messagePart;
};

class InputFailureTest : public testing::TestWithParam<FailureRow>
{
};

TEST_P(InputFailureTest, ReportsOneLineNamingTheFileWithStatusOne)
{
    const FailureRow &row = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"input.txt"_s);
    if (row.fileContent == "<dir>") {
        ASSERT_TRUE(QDir(dir.path()).mkdir(u"input.txt"_s));
    } else if (row.createFile) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(row.fileContent);
    }
    const CliRun run = runCli({u"counts"_s, path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(path.toUtf8())) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(row.messagePart)) << run.err.toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, InputFailureTest, testing::Values(
    FailureRow{"MissingFile", {}, false, "no such file"},
    FailureRow{"DirectoryWithoutTexts", "<dir>", false, "holds no .txt file"},
    FailureRow{"InvalidByte", "ab\xff" "cd", true, "byte offset 2"},
    FailureRow{"TruncatedSequence", "abc\xc3", true, "byte offset 3"},
    FailureRow{"Overlong", "\xef\xbb\xbfok \xc0\xaf", true, "byte offset 6"},
    FailureRow{"EncodedSurrogate", "x\xed\xa0\x80", true, "byte offset 1"}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(InputFailure, InvalidStandardInputNamesTheStream)
{
    const CliRun run = runCli({u"counts"_s}, "ok\n\x80");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.contains("standard input")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("byte offset 3")) << run.err.toStdString();
}

TEST(InputFailure, UnreadableFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(u"secret.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("hidden");
    file.close();
    ASSERT_TRUE(file.setPermissions(QFileDevice::WriteOwner));
    const CliRun run = runCli({u"counts"_s, file.fileName()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.contains(file.fileName().toUtf8())) << run.err.toStdString();
}

TEST(OutputFailure, UnwritableOutputPathIsReportedWithStatusOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"missing-folder/out.json"_s);
    const CliRun run = runCli({u"counts"_s, u"--output"_s, path}, "text");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.contains(path.toUtf8())) << run.err.toStdString();
}

} // namespace
