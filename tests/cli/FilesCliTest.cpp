#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct InputRow
{
    const char *name;
    QString path; // the input argument
    std::function<void(QProcess &, const QString &folder)> giveInput;
    const char *message;
};

class UnreadableStandardInput : public testing::TestWithParam<InputRow>
{
};

// All used to count an empty text and exit 0.
TEST_P(UnreadableStandardInput, FailsWithTheReason)
{
    const InputRow &row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const CliRun run = runCliWith({u"counts"_s, row.path}, [&folder, &row](QProcess &process) {
        row.giveInput(process, folder.path());
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QByteArray());
    EXPECT_TRUE(run.err.startsWith(row.message)) << run.err.toStdString();
}

void closeStandardInput(QProcess &process, const QString &)
{
    process.setChildProcessModifier([] { close(STDIN_FILENO); });
}

INSTANTIATE_TEST_SUITE_P(
    CountsCommand, UnreadableStandardInput,
    testing::Values(InputRow{"directory", u"-"_s,
                             [](QProcess &process, const QString &folder) {
                                 process.setStandardInputFile(folder);
                             },
                             "verbarium-cli: standard input: cannot be read ("},
                    InputRow{"closed", u"-"_s, closeStandardInput,
                             "verbarium-cli: standard input: cannot be read (it is closed)"},
                    InputRow{"closedByName", u"/dev/stdin"_s, closeStandardInput,
                             "verbarium-cli: /dev/stdin: cannot be read (it is closed)"}),
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

struct OutputNameRow
{
    const char *name;
    QString output;
    bool closeStandardOutput;
    int exitCode;
    QByteArray out;
    const char *message; // how standard error starts
};

class StandardOutputNames : public testing::TestWithParam<OutputNameRow>
{
};

TEST_P(StandardOutputNames, AreStandardOutputWithItsChecks)
{
    const OutputNameRow &row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const CliRun run =
        runCliWith({u"counts"_s, u"--output"_s, row.output}, [&folder, &row](QProcess &process) {
            process.setWorkingDirectory(folder.path());
            if (row.closeStandardOutput)
                process.setChildProcessModifier([] { close(STDOUT_FILENO); });
        });
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_EQ(run.out, row.out);
    EXPECT_TRUE(run.err.startsWith(row.message)) << run.err.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    CountsCommand, StandardOutputNames,
    testing::Values(
        // Used to make a file named "-".
        OutputNameRow{"dash", u"-"_s, false, 0, "{\"treeText\":\"\",\"words\":{}}\n", ""},
        // Both used to write to the stand-in for the closed stream and exit 0.
        OutputNameRow{"closedByName", u"/dev/stdout"_s, true, 1, "",
                      "verbarium-cli: /dev/stdout: cannot be written (it is closed)"},
        OutputNameRow{"closedByDescriptorName", u"/dev/fd/1"_s, true, 1, "",
                      "verbarium-cli: /dev/fd/1: cannot be written (it is closed)"}),
    [](const auto &info) { return std::string(info.param.name); });

struct TerminalRow
{
    const char *name;
    bool terminalIsStandardOutput;
    std::function<QString(const QString &terminal)> output;
};

class TerminalPicture : public testing::TestWithParam<TerminalRow>
{
};

// Only standard output itself used to be checked.
TEST_P(TerminalPicture, IsRefusedWhateverNameReachesIt)
{
    const TerminalRow &row = GetParam();
    const int controller = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(controller, 0);
    ASSERT_EQ(grantpt(controller), 0);
    ASSERT_EQ(unlockpt(controller), 0);
    const QByteArray terminal = ptsname(controller);
    const CliRun run =
        runCliWith({u"cloud"_s, u"--format"_s, u"png"_s, u"--output"_s,
                    row.output(QString::fromUtf8(terminal))},
                   [&row, &terminal](QProcess &process) {
                       if (row.terminalIsStandardOutput)
                           process.setChildProcessModifier([terminal] {
                               dup2(open(terminal.constData(), O_WRONLY | O_NOCTTY), STDOUT_FILENO);
                           });
                   });
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("png is not written to a terminal")) << run.err.toStdString();
    char received[64];
    EXPECT_LE(read(controller, received, sizeof received), 0) << "bytes reached the terminal";
    close(controller);
}

INSTANTIATE_TEST_SUITE_P(CloudCommand, TerminalPicture,
                         testing::Values(TerminalRow{"standardOutputsName", true,
                                                     [](auto &) { return u"/dev/stdout"_s; }},
                                         TerminalRow{
                                             "terminalsOwnName", false,
                                             [](const QString &terminal) { return terminal; }}),
                         [](const auto &info) { return std::string(info.param.name); });

struct MemoryRow
{
    const char *name;
    QStringList command; // the input file follows
    std::function<bool(QFile &input)> write;
    const char *message; // a fragment
};

class OutOfMemory : public testing::TestWithParam<MemoryRow>
{
};

// Both used to end in std::terminate (status 134).
TEST_P(OutOfMemory, IsOneLineAndStatusOne)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves far more address space than the limit";
#endif
    const MemoryRow &row = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile input(folder.filePath(u"input.txt"_s));
    ASSERT_TRUE(input.open(QIODevice::WriteOnly) && row.write(input));
    input.close();
    const CliRun run =
        runCliWith(row.command + QStringList{input.fileName()}, [](QProcess &process) {
            process.setChildProcessModifier([] {
                // Some 200 MB more than the tool takes to start.
                const rlimit addressSpace{300'000'000, 300'000'000};
                setrlimit(RLIMIT_AS, &addressSpace);
            });
        });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(row.message)) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutOfMemory,
    testing::Values(
        // Its 450 MB of NULs would take 900 MB as a string; they take no disk.
        MemoryRow{"reading",
                  {u"counts"_s},
                  [](QFile &input) { return input.resize(450'000'000); },
                  "verbarium-cli: not enough memory to read "},
        // 60 MB of one-letter words are read within the limit; their index is not made.
        MemoryRow{"growingTheTree",
                  {u"tree"_s, u"--word"_s, u"a"_s, u"--no-cache"_s},
                  [](QFile &input) {
                      const QByteArray words = QByteArray("a b c d e f g h i j. ").repeated(1000);
                      for (int piece = 0; piece < 3000; ++piece) {
                          if (input.write(words) != words.size())
                              return false;
                      }
                      return true;
                  },
                  "verbarium-cli: not enough memory to grow the tree"}),
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

namespace {

// Files of a corpus that cannot be read are named, one line each, and left out: the
// command fails only when none is left.
TEST(CorpusFiles, LeftOutAreNamedAndTheRestCounted)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&folder](const QString &name, const QByteArray &bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString good = write(u"good.txt"_s, "the cat");
    const QString bad = write(u"bad.txt"_s, "\xC3 cat");
    const QString missing = folder.filePath(u"missing.txt"_s);
    const QString empty = folder.filePath(u"empty"_s);
    ASSERT_TRUE(QDir().mkpath(empty));
    const struct
    {
        const char *name;
        QStringList inputs;
        int exitCode;
        QStringList messages;
    } rows[] = {
        {"SomeRead",
         {missing, good, bad},
         0,
         {missing + u": no such file"_s, bad + u": not valid UTF-8"_s}},
        {"NoneRead",
         {bad, empty},
         1,
         {empty + u": holds no .txt file"_s, bad + u": not valid UTF-8"_s,
          u"none of the files could be read"_s}},
        {"StandardInputAmongFiles",
         {good, u"-"_s},
         0,
         {u"-: standard input cannot be read with other files"_s}},
    };
    for (const auto &row : rows) {
        const CliRun run =
            runCommand(u"counts"_s, row.inputs + QStringList{u"--format"_s, u"csv"_s});
        EXPECT_EQ(run.exitCode, row.exitCode) << row.name;
        const QList<QByteArray> lines = run.err.trimmed().split('\n');
        ASSERT_EQ(lines.size(), row.messages.size()) << row.name << ": " << run.err.toStdString();
        for (qsizetype index = 0; index < lines.size(); ++index)
            EXPECT_TRUE(lines[index].startsWith("verbarium-cli: " + row.messages[index].toUtf8()))
                << row.name << ": " << lines[index].toStdString();
        EXPECT_EQ(run.out,
                  row.exitCode == 0 ? QByteArray("word,count\r\ncat,1\r\nthe,1\r\n") : QByteArray())
            << row.name;
    }
}

} // namespace
