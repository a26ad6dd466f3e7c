#include "CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <future>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct TreeRow
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    QByteArray expected;
};

void PrintTo(const TreeRow &row, std::ostream *out)
{
    *out << row.name;
}

class TreeOutput : public testing::TestWithParam<TreeRow>
{
};

TEST_P(TreeOutput, PrintsTheSortedTree)
{
    const TreeRow &row = GetParam();
    const CliRun run = runCommand(u"tree"_s, row.arguments, row.input);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, row.expected);
    EXPECT_EQ(run.err, QByteArray());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, TreeOutput, testing::Values(
    TreeRow{"WordIsLowerCasedAndChildrenSorted", {u"--word"_s, u"K"_s}, "k z. K y. k y.",
            R"({"word":"k","count":1,"occurrences":3,"countOfLeaves":2,"children":[)"
            R"({"word":"y","count":2,"occurrences":2,"countOfLeaves":1,"children":[{"word":".","count":2,"occurrences":2,"countOfLeaves":1,"children":[)"
            R"({"word":"k","count":1,"occurrences":1,"countOfLeaves":1,"children":[{"word":"y","count":1,"occurrences":1,"countOfLeaves":1,"children":[)"
            R"({"word":".","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]}]}]}]},)"
            R"({"word":"z","count":1,"occurrences":1,"countOfLeaves":1,"children":[{"word":".","count":1,"occurrences":1,"countOfLeaves":1,"children":[)"
            R"({"word":"k","count":1,"occurrences":1,"countOfLeaves":1,"children":[{"word":"y","count":1,"occurrences":1,"countOfLeaves":1,"children":[)"
            R"({"word":".","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]}]}]}]}]})" "\n"},
    TreeRow{"MaxDepthCutsOnlyTheOutput", {u"--word"_s, u"a"_s, u"--max-depth"_s, u"1"_s},
            "a b. a b c. a d.",
            R"({"word":"a","count":1,"occurrences":3,"countOfLeaves":3,"children":[)"
            R"({"word":"b","count":2,"occurrences":2,"countOfLeaves":2,"children":[]},)"
            R"({"word":"d","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]})" "\n"},
    TreeRow{"MaxDepthZeroIsTheRootAlone", {u"-"_s, u"--word"_s, u"a"_s, u"--max-depth"_s, u"0"_s},
            "a b. a b c.", R"({"word":"a","count":1,"occurrences":2,"countOfLeaves":2,"children":[]})" "\n"},
    TreeRow{"MissingWordIsTheRootAlone", {u"--word"_s, u"dog"_s}, "the cat",
            R"({"word":"dog","count":1,"occurrences":0,"countOfLeaves":1,"children":[]})" "\n"},
    TreeRow{"PunctuationIsSetApart", {u"--word"_s, u"hello"_s}, "Hello, \"world\"",
            R"({"word":"hello","count":1,"occurrences":1,"countOfLeaves":1,"children":[{"word":",","count":1,"occurrences":1,"countOfLeaves":1,"children":[)"
            R"({"word":"\"","count":1,"occurrences":1,"countOfLeaves":1,"children":[{"word":"world","count":1,"occurrences":1,"countOfLeaves":1,"children":[)"
            R"({"word":"\"","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]}]}]}]})" "\n"},
    TreeRow{"PhraseIsTheRoot", {u"--word"_s, u"The  Cat"_s, u"--max-depth"_s, u"1"_s},
            "The cat sat. The cat ran. A cat ran.",
            R"({"word":"the cat","count":1,"occurrences":2,"countOfLeaves":2,"children":[)"
            R"({"word":"sat","count":1,"occurrences":1,"countOfLeaves":1,"children":[]},)"
            R"({"word":"ran","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]})" "\n"},
    TreeRow{"WordIsReadAsTheTextIs", {u"--word"_s, u" The LORD'S "_s, u"--max-depth"_s, u"1"_s},
            "The Lord's house. The LORD'S.",
            R"({"word":"the lord ' s","count":1,"occurrences":2,"countOfLeaves":2,"children":[)"
            R"({"word":"house","count":1,"occurrences":1,"countOfLeaves":1,"children":[]},)"
            R"({"word":".","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]})" "\n"},
    TreeRow{"WordsBefore", {u"--word"_s, u"sat"_s, u"--before"_s, u"--max-depth"_s, u"2"_s},
            "A cat sat. The cat sat. The dog ran.",
            R"({"word":"sat","count":1,"occurrences":2,"countOfLeaves":2,"children":[{"word":"cat","count":2,"occurrences":2,"countOfLeaves":2,"children":[)"
            R"({"word":"the","count":1,"occurrences":1,"countOfLeaves":1,"children":[]},)"
            R"({"word":"a","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]}]})" "\n"},
    TreeRow{"PhraseBeforeInReadingOrder",
            {u"--word"_s, u"cat sat"_s, u"--before"_s, u"--max-depth"_s, u"1"_s},
            "A cat sat. The cat sat. The dog ran.",
            R"({"word":"cat sat","count":1,"occurrences":2,"countOfLeaves":2,"children":[)"
            R"({"word":"the","count":1,"occurrences":1,"countOfLeaves":1,"children":[]},)"
            R"({"word":"a","count":1,"occurrences":1,"countOfLeaves":1,"children":[]}]})" "\n"}),
    [](const testing::TestParamInfo<TreeRow> &info) { return info.param.name; });
// clang-format on

// A run of single followers is written as the picture cuts it: 1000 nodes, the last one
// saying how many it leaves out. The output goes out in pieces as it is made.
TEST(TreeOutput, CutsALongRunAtTheThousandthNode)
{
    const CliRun run =
        runCommand(u"tree"_s, {u"--word"_s, u"w"_s}, "w" + QByteArray(" t").repeated(1500));
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.count(R"("word":"t")"), 1000);
    EXPECT_TRUE(run.out.endsWith(
        R"("word":"t","count":1,"occurrences":1,"countOfLeaves":1,"truncated":500})" +
        QByteArray(1000, '}').replace("}", "]}") + "\n"))
        << run.out.right(200).toStdString();
}

struct ContinuationsRow
{
    const char *name;
    QString between; // the words between the start and the node with the followers
    int followers;
    QString trimmedNode; // the word of the node that says so, empty for none
};

void PrintTo(const ContinuationsRow &row, std::ostream *out)
{
    *out << row.name;
}

class TreeContinuations : public testing::TestWithParam<ContinuationsRow>
{
};

void collectContinuations(const QJsonObject &node, QStringList &said)
{
    if (node.contains(u"continuations"_s))
        said.append(u"%1:%2"_s.arg(node[u"word"_s].toString(),
                                   QString::number(node[u"continuations"_s].toInt())));
    for (const QJsonValue &child : node[u"children"_s].toArray())
        collectContinuations(child.toObject(), said);
}

// Only a node whose followers were trimmed to 30 says how many there were.
TEST_P(TreeContinuations, AreSaidWhereFollowersWereLeftOut)
{
    const ContinuationsRow &row = GetParam();
    QString text;
    for (int follower = 0; follower < row.followers; ++follower)
        text += u"root %1 f%2. "_s.arg(row.between).arg(follower);
    const CliRun run = runCommand(u"tree"_s, {u"--word"_s, u"root"_s}, text.toUtf8());
    ASSERT_EQ(run.exitCode, 0);
    QStringList said;
    collectContinuations(QJsonDocument::fromJson(run.out).object(), said);
    const QStringList expected =
        row.trimmedNode.isEmpty()
            ? QStringList()
            : QStringList{row.trimmedNode + u':' + QString::number(row.followers)};
    EXPECT_EQ(said, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeContinuations,
    testing::Values(ContinuationsRow{"ThirtyFollowersAllShown", u""_s, 30, u""_s},
                    ContinuationsRow{"ThirtyOneAtTheRoot", u""_s, 31, u"root"_s},
                    ContinuationsRow{"FortySevenBelowTheRoot", u"x"_s, 47, u"x"_s}),
    [](const testing::TestParamInfo<ContinuationsRow> &info) { return info.param.name; });

class TreeFailure : public testing::TestWithParam<CliFailureRow>
{
};

TEST_P(TreeFailure, ReportsTheProblem)
{
    expectFailure(runCommand(u"tree"_s, GetParam().arguments, "a b"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TreeFailure,
    testing::Values(
        CliFailureRow{"NoWord", {}, 2, "--word is required"},
        CliFailureRow{"WordOfSpaces", {u"--word"_s, u"  "_s}, 2, "--word holds no word"},
        CliFailureRow{"NegativeDepth",
                      {u"--word"_s, u"a"_s, u"--max-depth"_s, u"-1"_s},
                      2,
                      "--max-depth needs a whole number"},
        CliFailureRow{
            "DepthNotANumber", {u"--word"_s, u"a"_s, u"--max-depth"_s, u"two"_s}, 2, "'two'"},
        CliFailureRow{"MissingFile",
                      {u"/nonexistent/text.txt"_s, u"--word"_s, u"a"_s},
                      1,
                      "/nonexistent/text.txt"},
        CliFailureRow{"CacheSizeNotASize",
                      {u"--word"_s, u"a"_s, u"--cache-size"_s, u"2T"_s},
                      2,
                      "--cache-size must be"},
        CliFailureRow{"BothSides",
                      {u"--word"_s, u"a"_s, u"--preceded-by"_s, u"b"_s, u"--followed-by"_s, u"c"_s},
                      2,
                      "give one"},
        CliFailureRow{"PrecededByBefore",
                      {u"--word"_s, u"a"_s, u"--preceded-by"_s, u"b"_s, u"--before"_s},
                      2,
                      "cannot go with --before"},
        CliFailureRow{"FollowedByNoWord",
                      {u"--word"_s, u"a"_s, u"--followed-by"_s, u" "_s},
                      2,
                      "--followed-by holds no word"}),
    [](const testing::TestParamInfo<CliFailureRow> &info) { return info.param.name; });

// A word on the other side of the start asks for the tree of the phrase they make.
TEST(TreeSides, AreThePhraseTreesTheyStandFor)
{
    const QByteArray text = "The Lord hath said. The lord spoke. And the lord hath done it.";
    const struct
    {
        QStringList asked;
        QStringList phraseTree;
    } rows[] = {
        {{u"--word"_s, u"lord"_s, u"--preceded-by"_s, u"The"_s}, {u"--word"_s, u"the lord"_s}},
        {{u"--word"_s, u"the"_s, u"--followed-by"_s, u"lord hath"_s},
         {u"--word"_s, u"the lord hath"_s, u"--before"_s}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.asked.join(u' ').toStdString());
        const CliRun side = runCommand(u"tree"_s, row.asked, text);
        ASSERT_EQ(side.exitCode, 0) << side.err.toStdString();
        EXPECT_EQ(side.out, runCommand(u"tree"_s, row.phraseTree, text).out);
        EXPECT_TRUE(side.out.contains(R"("occurrences":)")) << side.out.toStdString();
    }
}

// The same tree without the index cache, keeping the index there, from there, and from
// two runs at once, both ways.
TEST(TreeCache, GivesTheSameTreesFromTheCache)
{
    const QByteArray text = "A cat sat. The cat sat. The dog ran. The cat ran off.";
    for (const QStringList &asked :
         {QStringList{u"--word"_s, u"cat"_s}, QStringList{u"--word"_s, u"cat"_s, u"--before"_s}}) {
        const CliRun cold = runCommand(u"tree"_s, asked + QStringList{u"--no-cache"_s}, text);
        ASSERT_EQ(cold.exitCode, 0) << cold.err.toStdString();
        for (int run = 0; run < 2; ++run)
            EXPECT_EQ(runCommand(u"tree"_s, asked, text).out, cold.out) << run;
        std::vector<std::future<CliRun>> atOnce;
        for (int run = 0; run < 2; ++run)
            atOnce.push_back(
                std::async(std::launch::async, [&] { return runCommand(u"tree"_s, asked, text); }));
        for (auto &run : atOnce)
            EXPECT_EQ(run.get().out, cold.out);
    }
}

} // namespace
