#include "ContextsPane.h"
#include "CorpusFile.h"
#include "DispersionStrip.h"
#include "FileCountsTable.h"
#include "ShortFileNames.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A folder of texts as people have them: a byte-order mark and CRLF, a lone CR, a file
// in a subfolder, and one without the word.
const std::pair<QString, QByteArray> files[] = {
    {u"a.txt"_s, "\xEF\xBB\xBFthe cat\r\nand the cat\r\n"},
    // A name that a step-by-step QString::arg would take for a placeholder.
    {u"b%2.txt"_s, "no felines\rhere\n\nbut a cat"},
    {u"d.txt"_s, "nothing here"},
    {u"sub/c.txt"_s,
     "\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat.\r\ncat."},
};

class ContextsCorpusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkdir(u"sub"_s);
        for (const auto &[name, bytes] : files) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const TextFile corpus = readUtf8Corpus({folder.path()});
        ASSERT_EQ(corpus.parts.size(), std::size(files));
        index = TextIndex::build(tokenise(corpus.text, partSpans(corpus.parts)));
        connectContextsPane(pane, controller);
        pane.resize(700, 400);
        pane.show();
        pane.setText(corpus.text,
                     std::make_shared<const TextPlaces>(withShortNames(corpus), QString()));

        const auto tree = growTree(index, u"cat"_s);
        pane.showContextsOf({index, index, {u"cat"_s}, u"cat"_s, tree->occurrences(), 0});
        ASSERT_TRUE(QTest::qWaitFor([this] { return !controller.isFindingContexts(); }));
    }

    QTemporaryDir folder;
    std::shared_ptr<const TextIndex> index;
    VerbariumController controller;
    ContextsPane pane;
};

// Every line names its file below the folder and its line there, counted from 1 with
// CRLF one break and a lone CR one too; screen readers hear both before the line.
TEST_F(ContextsCorpusTest, EveryLineNamesItsFileAndLine)
{
    const struct
    {
        QString file;
        qint64 line;
    } expected[] = {{u"a.txt"_s, 1},     {u"a.txt"_s, 2},     {u"b%2.txt"_s, 4},
                    {u"sub/c.txt"_s, 2}, {u"sub/c.txt"_s, 3}, {u"sub/c.txt"_s, 4},
                    {u"sub/c.txt"_s, 5}, {u"sub/c.txt"_s, 6}, {u"sub/c.txt"_s, 7},
                    {u"sub/c.txt"_s, 8}, {u"sub/c.txt"_s, 9}, {u"sub/c.txt"_s, 10},
                    {u"sub/c.txt"_s, 11}};
    const ContextsModel &model = pane.model();
    ASSERT_EQ(model.rowCount(), int(std::size(expected)));
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex at = model.index(row);
        EXPECT_EQ(at.data(ContextsModel::FileRole).toString(), expected[row].file) << row;
        EXPECT_EQ(at.data(ContextsModel::LineRole).toLongLong(), expected[row].line) << row;
    }
    EXPECT_EQ(model.index(2).data(Qt::AccessibleTextRole).toString(),
              u"b%2.txt, line 4: no felines here  but a cat"_s);
}

// The header says in how many of the files the sequence occurs; a line's context and
// passage hold nothing of the file before, and the passage names its file and line.
TEST_F(ContextsCorpusTest, HeaderAndPassageKeepToTheFiles)
{
    EXPECT_TRUE(pane.header()->text().startsWith(u"13 occurrences of “cat” in 3 of 4 files"_s))
        << pane.header()->text().toStdString();
    EXPECT_EQ(pane.model().lineAt(2).left, u"no felines here  but a "_s);
    pane.list()->setCurrentIndex(pane.model().index(2));
    EXPECT_EQ(pane.passagePlace()->text(), u"b%2.txt, line 4"_s);
    pane.list()->setCurrentIndex(pane.model().index(3));
    EXPECT_EQ(pane.passagePlace()->text(), u"sub/c.txt, line 2"_s);
    EXPECT_FALSE(pane.passage()->toPlainText().contains(u"the"_s));
}

// A click on a tick of the strip selects the line of the occurrence drawn there.
TEST_F(ContextsCorpusTest, ClickingATickSelectsItsLine)
{
    const DispersionStrip *strip = pane.strip();
    const Dispersion &dispersion = strip->spread()->dispersion;
    ASSERT_EQ(dispersion.positions.size(), 13u);
    const QRect bar = strip->bar();
    for (const std::size_t occurrence : {std::size_t(0), std::size_t(2), std::size_t(12)}) {
        const quint32 position = dispersion.positions[occurrence];
        const int x = bar.left() + int(qint64(position) * bar.width() / dispersion.length);
        QTest::mouseClick(pane.strip(), Qt::LeftButton, {}, QPoint(x, bar.center().y()));
        const int row = pane.list()->currentIndex().row();
        ASSERT_GE(row, 0);
        EXPECT_EQ(pane.model().firsts()[std::size_t(row)], position) << occurrence;
    }
}

// The table counts the sequence in each file and sorts its numbers as numbers.
TEST_F(ContextsCorpusTest, FileTableSortsNumbersAsNumbers)
{
    FileCountsTable *table = pane.fileCounts();
    ASSERT_TRUE(table->isVisible());
    const auto column = [table](int which) {
        QStringList shown;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            shown << table->model()->index(row, which).data().toString();
        return shown;
    };
    EXPECT_EQ(column(FileCountsModel::FileColumn),
              (QStringList{u"a.txt"_s, u"b%2.txt"_s, u"d.txt"_s, u"sub/c.txt"_s}));
    table->sortByColumn(FileCountsModel::CountColumn, Qt::AscendingOrder);
    EXPECT_EQ(column(FileCountsModel::CountColumn), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"10"_s}));
    table->sortByColumn(FileCountsModel::RateColumn, Qt::DescendingOrder);
    QStringList rates;
    for (const double rate : {10000.0, 4000.0, 1666.666, 0.0})
        rates << QLocale().toString(rate, 'f', 2);
    EXPECT_EQ(column(FileCountsModel::RateColumn), rates);
}

} // namespace
