// The shapes of the corpus's numbers by file: counts --by-file and dispersion.

#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A folder of three files sharing words, one without any.
class CorpusFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(QDir(m_folder.path()).mkpath(u"corpus/sub"_s));
        write(u"corpus/a.txt"_s, "The cat sat.\nThe dog");
        write(u"corpus/empty.txt"_s, "");
        write(u"corpus/sub/b.txt"_s, "\xEF\xBB\xBF"
                                     "a dog, the cat x86");
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString corpus() const { return m_folder.filePath(u"corpus"_s); }

    // The expected output with the corpus folder's path for "C".
    QByteArray named(QString expected) const
    {
        return expected.replace(u"C/"_s, corpus() + u'/').toUtf8();
    }

    QTemporaryDir m_folder;
};

TEST_F(CorpusFolder, CountsByFile)
{
    const struct
    {
        const char *format;
        QString expected;
    } rows[] = {
        {"csv", u"word,file,count,total\r\n"
                "the,C/a.txt,2,3\r\nthe,C/sub/b.txt,1,3\r\n"
                "cat,C/a.txt,1,2\r\ncat,C/sub/b.txt,1,2\r\n"
                "dog,C/a.txt,1,2\r\ndog,C/sub/b.txt,1,2\r\n"
                "a,C/sub/b.txt,1,1\r\nsat,C/a.txt,1,1\r\nx,C/sub/b.txt,1,1\r\n"_s},
        {"json", uR"({"files":[{"file":"C/a.txt","words":5},{"file":"C/empty.txt","words":0},)"
                 uR"({"file":"C/sub/b.txt","words":5}],"words":[)"
                 uR"({"word":"the","total":3,"files":[{"file":"C/a.txt","count":2},)"
                 uR"({"file":"C/sub/b.txt","count":1}]},)"
                 uR"({"word":"cat","total":2,"files":[{"file":"C/a.txt","count":1},)"
                 uR"({"file":"C/sub/b.txt","count":1}]},)"
                 uR"({"word":"dog","total":2,"files":[{"file":"C/a.txt","count":1},)"
                 uR"({"file":"C/sub/b.txt","count":1}]},)"
                 uR"({"word":"a","total":1,"files":[{"file":"C/sub/b.txt","count":1}]},)"
                 uR"({"word":"sat","total":1,"files":[{"file":"C/a.txt","count":1}]},)"
                 uR"({"word":"x","total":1,"files":[{"file":"C/sub/b.txt","count":1}]}]})"
                 u"\n"_s},
    };
    for (const auto &row : rows) {
        const CliRun run = runCommand(u"counts"_s, {corpus(), u"--by-file"_s, u"--format"_s,
                                                    QString::fromLatin1(row.format)});
        EXPECT_EQ(run.exitCode, 0) << row.format << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, named(row.expected)) << row.format;
    }
}

// Positions count tokens from the start of their file; the empty file is listed, and a
// byte-order mark moves nothing.
TEST_F(CorpusFolder, Dispersion)
{
    const struct
    {
        const char *name;
        QStringList sequence;
        QString expected;
    } rows[] = {
        {"word",
         {u"--word"_s, u"The"_s},
         uR"({"unit":"tokens","length":12,"count":3,"files":[)"
         uR"({"file":"C/a.txt","start":0,"length":6,"count":2,"positions":[0,4]},)"
         uR"({"file":"C/empty.txt","start":6,"length":0,"count":0,"positions":[]},)"
         uR"({"file":"C/sub/b.txt","start":6,"length":6,"count":1,"positions":[3]}]})"
         u"\n"_s},
        {"path",
         {u"--word"_s, u"the"_s, u"--path"_s, u"cat"_s},
         uR"({"unit":"tokens","length":12,"count":2,"files":[)"
         uR"({"file":"C/a.txt","start":0,"length":6,"count":1,"positions":[0]},)"
         uR"({"file":"C/empty.txt","start":6,"length":0,"count":0,"positions":[]},)"
         uR"({"file":"C/sub/b.txt","start":6,"length":6,"count":1,"positions":[3]}]})"
         u"\n"_s},
    };
    for (const auto &row : rows) {
        const CliRun run =
            runCommand(u"dispersion"_s, QStringList{corpus(), u"--no-cache"_s} + row.sequence);
        EXPECT_EQ(run.exitCode, 0) << row.name << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, named(row.expected)) << row.name;
    }
}

} // namespace
