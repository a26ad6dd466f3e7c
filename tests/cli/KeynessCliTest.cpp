#include "CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Texts A and B in files, and the paths of both.
class KeynessCommand : public testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &text)
    {
        const QString path = m_folder.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        return path;
    }

    QTemporaryDir m_folder;
};

TEST_F(KeynessCommand, CsvRowsComeMostSignificantFirst)
{
    const QString a = file(u"a.txt"_s, "The Lord said. The lord spoke. the end");
    const QString b = file(u"b.txt"_s, "The ship sailed. The ship sank. the end");
    const CliRun run = runCommand(u"keyness"_s, {a, b, u"--format"_s, u"csv"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QList<QByteArray> lines = run.out.split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "word,countA,countB,ll,logRatio\r");
    // lord and ship: 2 of 8 words in one text, none in the other.
    EXPECT_TRUE(lines[1].startsWith("lord,2,0,2.7725887")) << lines[1].constData();
    EXPECT_TRUE(lines[2].startsWith("ship,0,2,2.7725887")) << lines[2].constData();
    EXPECT_TRUE(run.out.contains("the,3,3,0,0\r\n"));
}

TEST_F(KeynessCommand, CloudShowsTheSignificantWordsInTheirTextsColours)
{
    const QString a = file(u"a.txt"_s, QByteArray("lord ").repeated(40) + "the end");
    const QString b = file(u"b.txt"_s, QByteArray("ship ").repeated(40) + "the end");
    const CliRun run = runCommand(u"keyness"_s, {a, b, u"--format"_s, u"svg"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    // Each word is its first letter, then the rest placed letter by letter; "the" and
    // "end" are used as often in both.
    EXPECT_EQ(run.out.count("<text "), 2);
    EXPECT_TRUE(run.out.contains(R"(fill="#1f5fa8">l<tspan)"));
    EXPECT_TRUE(run.out.contains(R"(fill="#b0450c">s<tspan)"));
}

TEST_F(KeynessCommand, RefusesWhatItCannotCompare)
{
    const QString a = file(u"a.txt"_s, "some words");
    const QString empty = file(u"empty.txt"_s, " \n");
    const CliFailureRow rows[] = {
        {"oneText", {a}, 2, "give A and B"},
        {"bothFromStandardInput", {u"-"_s, u"/dev/stdin"_s}, 2, "both be read from standard input"},
        {"negativeMinimum", {a, a, u"--min-ll"_s, u"-1"_s}, 2, "--min-ll needs a number"},
        {"textWithoutWords", {a, empty}, 1, "has no words to compare"},
    };
    for (const CliFailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        expectFailure(runCommand(u"keyness"_s, row.arguments), row);
    }
}

} // namespace
