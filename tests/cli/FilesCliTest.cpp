#include "CliRun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct InputRow
{
    const char *name;
    std::function<void(QProcess &, const QString &folder)> giveInput;
};

class UnreadableStandardInput : public testing::TestWithParam<InputRow>
{
};

// Both used to count an empty text and exit 0.
TEST_P(UnreadableStandardInput, FailsWithTheReason)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const CliRun run = runCliWith({u"counts"_s}, [&folder](QProcess &process) {
        GetParam().giveInput(process, folder.path());
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.startsWith("verbarium-cli: standard input: cannot be read ("))
        << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(CountsCommand, UnreadableStandardInput,
                         testing::Values(InputRow{"directory",
                                                  [](QProcess &process, const QString &folder) {
                                                      process.setStandardInputFile(folder);
                                                  }},
                                         InputRow{"closed",
                                                  [](QProcess &process, const QString &) {
                                                      process.setChildProcessModifier(
                                                          [] { close(STDIN_FILENO); });
                                                  }}),
                         [](const auto &info) { return std::string(info.param.name); });

struct SpecialOutputRow
{
    const char *name;
    const char *device; // none: a new FIFO with a reader
    int exitCode;
    const char *message;
};

class SpecialOutput : public testing::TestWithParam<SpecialOutputRow>
{
};

// Such files used to be replaced by a regular one, even device nodes when run as root.
TEST_P(SpecialOutput, IsWrittenInPlaceAndKept)
{
    const SpecialOutputRow &row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = row.device ? QString::fromUtf8(row.device) : folder.filePath(u"fifo"_s);
    const QByteArray nativePath = QFile::encodeName(path);
    int reader = -1;
    if (row.device && !QFile::exists(path))
        GTEST_SKIP() << row.device << " is missing";
    if (!row.device) {
        ASSERT_EQ(mkfifo(nativePath.constData(), 0600), 0);
        // A reader that does not wait for a writer; the output fits the pipe's buffer.
        reader = open(nativePath.constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
    }

    const CliRun run = runCli({u"counts"_s, u"--output"_s, path}, "one two two");
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_TRUE(run.err.startsWith(row.message)) << run.err.toStdString();
    struct stat after;
    ASSERT_EQ(stat(nativePath.constData(), &after), 0);
    EXPECT_FALSE(S_ISREG(after.st_mode));
    if (reader >= 0) {
        QByteArray received(4096, '\0');
        const ssize_t count = read(reader, received.data(), size_t(received.size()));
        close(reader);
        received.resize(std::max<ssize_t>(count, 0));
        EXPECT_EQ(received, "{\"treeText\":\"one two two\",\"words\":{\"two\":2,\"one\":1}}\n");
    }
}

INSTANTIATE_TEST_SUITE_P(CountsCommand, SpecialOutput,
                         testing::Values(SpecialOutputRow{"fifoWithAReader", nullptr, 0, ""},
                                         SpecialOutputRow{
                                             "fullDevice", "/dev/full", 1,
                                             "verbarium-cli: /dev/full: cannot be written ("}),
                         [](const auto &info) { return std::string(info.param.name); });

struct LongWordRow
{
    const char *name;
    QStringList arguments;
    int exitCode;
    const char *message;
};

class LongWordPicture : public testing::TestWithParam<LongWordRow>
{
};

// An SVG of a 1,000,000-letter word used to take minutes and end in std::bad_alloc; the
// verbarium's view grew to the word's millions of points and was refused.
TEST_P(LongWordPicture, CostsWhatThePictureHolds)
{
    const LongWordRow &row = GetParam();
    const CliRun run = runCli(row.arguments, "b " + QByteArray(1000000, 'a'));
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_TRUE(run.err.contains(row.message)) << run.err.toStdString();
    EXPECT_LT(run.out.size(), 1 << 20);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LongWordPicture,
    testing::Values(
        // The cloud cuts the word at the view's right edge: only that much is drawn.
        LongWordRow{"cloudShowsTheViewsPart", {u"cloud"_s, u"--format"_s, u"svg"_s}, 0, ""},
        // The verbarium draws the word's first thousand letters and "…".
        LongWordRow{"verbariumDrawsTheWordCut",
                    {u"verbarium"_s, u"--word"_s, u"b"_s, u"--format"_s, u"png"_s},
                    0,
                    ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
