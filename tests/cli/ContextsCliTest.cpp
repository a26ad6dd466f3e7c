#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace Qt::Literals::StringLiterals;

namespace {

CliRun runContexts(const QStringList &arguments, const QByteArray &input)
{
    return runCommand(u"contexts"_s, arguments, input);
}

struct OutputRow
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    QByteArray expected;
};

void PrintTo(const OutputRow &row, std::ostream *out)
{
    *out << row.name;
}

class ContextsOutput : public testing::TestWithParam<OutputRow>
{
};

TEST_P(ContextsOutput, ShowsEveryOccurrenceAsItStands)
{
    const OutputRow &row = GetParam();
    const CliRun run = runContexts(row.arguments, row.input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, row.expected);
    EXPECT_EQ(run.err, QByteArray());
}

const QByteArray catText = "The cat sat.\nA well-\nknown Cat, the\tdog; the CAT ran!";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ContextsOutput, testing::Values(
    OutputRow{"CaseLineBreaksAndTabs", {u"--word"_s, u"CAT"_s, u"--width"_s, u"12"_s}, catText,
              "-\t1\t4\tThe \tcat\t sat. A well\n"
              "-\t3\t27\twell- known \tCat\t, the dog; t\n"
              "-\t3\t45\the dog; the \tCAT\t ran!\n"},
    OutputRow{"HyphenJoinedAcrossALineEnd", {u"--word"_s, u"a wellknown"_s, u"--width"_s, u"5"_s},
              catText, "-\t2\t13\tsat. \tA well- known\t Cat,\n"},
    OutputRow{"PhraseAcrossACrLfAsJson", {u"--word"_s, u"the cat"_s, u"--format"_s, u"json"_s},
              "He said \"the\r\ncat\" \\ ok.",
              R"({"file":"-","line":1,"offset":9,"left":"He said \"","match":"the  cat","right":"\" \\ ok."})" "\n"},
    OutputRow{"ZeroWidthLeavesTheMatchAlone", {u"--word"_s, u"a"_s, u"--width"_s, u"0"_s}, "a b A",
              "-\t1\t0\t\ta\t\n-\t1\t4\t\tA\t\n"},
    OutputRow{"AbsentWordGivesNoLines", {u"--word"_s, u"dog"_s}, "the cat", ""},
    OutputRow{"WordIsReadAsTheTextIs", {u"--word"_s, u"LORD'S "_s, u"--width"_s, u"4"_s},
              "The Lord's house, the lord.", "-\t1\t4\tThe \tLord's\t hou\n"},
    OutputRow{"PathIsReadAsTheTextIs",
              {u"--word"_s, u"lord,"_s, u"--path"_s, u"The"_s, u"--width"_s, u"4"_s},
              "The Lord's house, the lord, the end.", "-\t1\t22\tthe \tlord, the\t end\n"}),
    [](const testing::TestParamInfo<OutputRow> &info) { return info.param.name; });
// clang-format on

struct OffsetRow
{
    const char *name;
    QByteArray byteOrderMark;
    bool fromFile;
};

void PrintTo(const OffsetRow &row, std::ostream *out)
{
    *out << row.name;
}

class ContextsOffsets : public testing::TestWithParam<OffsetRow>
{
};

// Characters of one to four bytes (a surrogate pair in the text) before every match, over
// more than the few hundred characters between the checkpoints the offsets are counted
// from: each offset is where the match stands in the file's bytes.
TEST_P(ContextsOffsets, AreTheFilesByteOffsets)
{
    const OffsetRow &row = GetParam();
    QByteArray body;
    for (int sentence = 0; sentence < 60; ++sentence)
        body += u"Été 😀 n°%1 — Café naïve. "_s.arg(sentence).toUtf8();
    const QByteArray bytes = row.byteOrderMark + body;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(u"text.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QStringList arguments{u"--word"_s, u"café naïve"_s, u"--format"_s, u"json"_s};
    const CliRun run = row.fromFile ? runContexts(QStringList{file.fileName()} + arguments, {})
                                    : runContexts(arguments, bytes);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_EQ(lines.size(), 61); // and the empty rest after the last line break
    for (const QByteArray &line : lines.first(60)) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        const QByteArray match = record[u"match"_s].toString().toUtf8();
        ASSERT_EQ(match, "Café naïve");
        const auto offset = qsizetype(record[u"offset"_s].toInteger(-1));
        EXPECT_EQ(bytes.mid(offset, match.size()), match) << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextsOffsets,
    testing::Values(OffsetRow{"File", {}, true},
                    OffsetRow{"FileWithAByteOrderMark", "\xEF\xBB\xBF", true},
                    OffsetRow{"StandardInputWithAByteOrderMark", "\xEF\xBB\xBF", false}),
    [](const testing::TestParamInfo<OffsetRow> &info) { return info.param.name; });

// The third column of each line: where the occurrences stand, in the order given.
QList<QByteArray> offsetsOf(const CliRun &run)
{
    QList<QByteArray> offsets;
    for (const QByteArray &line : run.out.split('\n')) {
        if (!line.isEmpty())
            offsets.append(line.split('\t').value(2));
    }
    return offsets;
}

// "k" at the start of the text, before the end of it, and in between; ties on the first
// word after or before are settled by the next.
TEST(ContextsCommand, SortsInTheOrderAsked)
{
    const QByteArray text = "k z. y k a. k a b. x k a";
    const std::pair<QString, QList<QByteArray>> orders[] = {
        {u"text"_s, {"0", "7", "12", "21"}},
        {u"following"_s, {"21", "7", "12", "0"}},
        {u"preceding"_s, {"0", "12", "21", "7"}},
    };
    for (const auto &[order, expected] : orders) {
        const CliRun run = runContexts({u"--word"_s, u"k"_s, u"--sort"_s, order}, text);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(offsetsOf(run), expected) << order.toStdString();
    }
    EXPECT_EQ(offsetsOf(runContexts({u"--word"_s, u"k"_s}, text)), orders[0].second);
}

struct PathRow
{
    const char *name;
    QByteArray text;
    QString word;
    qsizetype occurrences;
};

void PrintTo(const PathRow &row, std::ostream *out)
{
    *out << row.name;
}

class ContextsPath : public testing::TestWithParam<PathRow>
{
};

// The nodes of a tree from `tree`'s JSON down to depth levels below the root, the root
// included: the words below the root down to each, and its "occurrences".
void collectNodes(const QJsonObject &node, const QStringList &path, int depth,
                  std::vector<std::pair<QStringList, int>> &nodes)
{
    nodes.emplace_back(path, node[u"occurrences"_s].toInt());
    if (depth == 0)
        return;
    for (const QJsonValue &child : node[u"children"_s].toArray())
        collectNodes(child.toObject(), path + QStringList{child[u"word"_s].toString()}, depth - 1,
                     nodes);
}

// Each node's lines are the occurrences the tree counts for it, sentence ends and all,
// as many as its "occurrences"; the root's are every occurrence of the word or phrase.
TEST_P(ContextsPath, ListsTheOccurrencesANodeCounts)
{
    const PathRow &row = GetParam();
    const CliRun tree = runCommand(u"tree"_s, {u"--word"_s, row.word}, row.text);
    ASSERT_EQ(tree.exitCode, 0);
    std::vector<std::pair<QStringList, int>> nodes;
    collectNodes(QJsonDocument::fromJson(tree.out).object(), {}, 4, nodes);
    ASSERT_GT(nodes.size(), 8u);
    EXPECT_EQ(nodes.front().second, row.occurrences);

    for (const auto &[path, occurrences] : nodes) {
        QStringList arguments{u"--word"_s, row.word};
        if (!path.isEmpty())
            arguments << u"--path"_s << path.join(u' ');
        EXPECT_EQ(runContexts(arguments, row.text).out.count('\n'), occurrences)
            << path.join(u' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextsPath,
    testing::Values(PathRow{"Word", "A b. C a b! D. A b! E. A c a b.", u"a"_s, 5},
                    PathRow{"Phrase", "A b. C a b! D. A b! E. A c a b.", u"A B"_s, 4},
                    PathRow{"ManyFollowers", "a b, a c? a b c. a c b! a b b.", u"a"_s, 5}),
    [](const testing::TestParamInfo<PathRow> &info) { return info.param.name; });

// From "c", the walk stops at the "!" after "b": the words stand in the text, but the
// node is not in the tree.
// The largest resident size of a run, in kilobytes.
long peakMemoryOf(const QStringList &arguments)
{
    const pid_t cli = spawnCli(arguments);
    EXPECT_GT(cli, 0);
    int status = 0;
    rusage usage = {};
    EXPECT_EQ(wait4(cli, &status, 0, &usage), cli);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    return usage.ru_maxrss;
}

// Lines went out 8,192 at a time, however long: 64 KB of text at --width 100000 wrote 2
// GB with a peak of 1.5 GB.
TEST(ContextsCommand, MemoryStaysFlatInTheOutputsSize)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's quarantine keeps freed memory";
#endif
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString input = folder.filePath(u"input.txt"_s);
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("a ").repeated(8192)); // 8,192 lines of some 16 KB: 128 MB
    file.close();
    const QStringList arguments{u"contexts"_s, input, u"--word"_s, u"a"_s, u"--width"_s};
    const long narrow = peakMemoryOf(arguments + QStringList{u"10"_s});
    const long wide = peakMemoryOf(arguments + QStringList{u"100000"_s});
    EXPECT_LT(wide - narrow, 48 * 1024) << narrow << " KB for narrow lines, " << wide;
}

TEST(ContextsCommand, PathPastAWalksEndHasNoLines)
{
    const QByteArray text = "A b. C a b! D.";
    EXPECT_EQ(runContexts({u"--word"_s, u"b"_s, u"--path"_s, u". c a b !"_s}, text).out,
              QByteArray("-\t1\t2\tA \tb. C a b!\t D.\n"));
    EXPECT_EQ(runContexts({u"--word"_s, u"b"_s, u"--path"_s, u". c a b ! d"_s}, text).out,
              QByteArray());
}

class ContextsFailure : public testing::TestWithParam<CliFailureRow>
{
};

TEST_P(ContextsFailure, ReportsTheProblem)
{
    expectFailure(runContexts(GetParam().arguments, "a b"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextsFailure,
    testing::Values(
        CliFailureRow{"NoWord", {u"--path"_s, u"b"_s}, 2, "--word is required"},
        CliFailureRow{"UnknownOrder",
                      {u"--word"_s, u"a"_s, u"--sort"_s, u"up"_s},
                      2,
                      "--sort must be text, following or preceding, not 'up'"},
        CliFailureRow{"NegativeWidth", {u"--word"_s, u"a"_s, u"--width"_s, u"-1"_s}, 2, "'-1'"},
        CliFailureRow{"WidthPastTheLargest",
                      {u"--word"_s, u"a"_s, u"--width"_s, u"100001"_s},
                      2,
                      "--width needs a whole number from 0 to 100000"},
        CliFailureRow{"UnknownFormat", {u"--word"_s, u"a"_s, u"--format"_s, u"csv"_s}, 2, "'csv'"},
        CliFailureRow{"MissingFile",
                      {u"/nonexistent/text.txt"_s, u"--word"_s, u"a"_s},
                      1,
                      "/nonexistent/text.txt"}),
    [](const testing::TestParamInfo<CliFailureRow> &info) { return info.param.name; });

} // namespace

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A folder whose files end and begin with the same words, one with a byte-order mark and
// every kind of line end, one not UTF-8: each line names its file, its line there and
// its byte offset there, and no occurrence or context spans two files.
TEST(ContextsCommand, TracesEveryLineToItsFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    writeFile(folder.filePath(u"corpus/a.txt"_s), "\xEF\xBB\xBFx\r\nthe cat\rsat\n\nthe cat");
    writeFile(folder.filePath(u"corpus/b.bin.txt"_s), "the \xFF cat");
    writeFile(folder.filePath(u"corpus/sub/c.txt"_s), "the cat\nthe");
    writeFile(folder.filePath(u"corpus/d.md"_s), "the cat");
    const QString corpus = folder.filePath(u"corpus"_s);
    const struct
    {
        QString phrase;
        QByteArray expected;
    } rows[] = {
        {u"the cat"_s, "corpus/a.txt\t2\t6\tx  \tthe cat\t sat  the cat\n"
                       "corpus/a.txt\t5\t19\tx  the cat sat  \tthe cat\t\n"
                       "corpus/sub/c.txt\t1\t0\t\tthe cat\t the\n"},
        {u"cat the"_s, "corpus/sub/c.txt\t1\t4\tthe \tcat the\t\n"},
    };
    for (const auto &row : rows) {
        const CliRun run = runCliWith(
            {u"contexts"_s, u"corpus"_s, u"--word"_s, row.phrase},
            [&folder](QProcess &process) { process.setWorkingDirectory(folder.path()); });
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, row.expected) << row.phrase.toStdString();
        EXPECT_EQ(run.err, "verbarium-cli: corpus/b.bin.txt: not valid UTF-8 (first bad byte "
                           "sequence at byte offset 4)\n");
    }
    const CliRun json = runCommand(
        u"contexts"_s, {corpus + u"/sub/c.txt"_s, u"--word"_s, u"cat"_s, u"--format"_s, u"json"_s});
    EXPECT_EQ(json.out,
              QByteArray(R"({"file":")" + (corpus + u"/sub/c.txt"_s).toUtf8() +
                         R"(","line":1,"offset":4,"left":"the ","match":"cat","right":" the"})"
                         "\n"));
}

} // namespace
