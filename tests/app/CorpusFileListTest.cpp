#include "CorpusFileList.h"

#include "AppController.h"
#include "AppMenus.h"
#include "CorpusBar.h"
#include "CorpusFileModel.h"
#include "FakeDialogs.h"
#include "KeynessComparison.h"
#include "TextAnalysis.h"
#include "TextIndex.h"
#include "TokenSequence.h"
#include "UserInterface.h"
#include "ui_InputWindow.h"

#include <QAction>
#include <QDir>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A folder of three files, opened and analysed whole.
class CorpusFileListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(directory.path()).mkpath(u"poems/later"_s));
        write(u"poems/a.txt"_s, "the rose is red");
        write(u"poems/b.txt"_s, "the sky is blue, the sea is blue");
        write(u"poems/later/c.txt"_s, "red sky");
        QObject::connect(&controller(), &AppController::analysisHandedOver, &controller(),
                         [this](const std::shared_ptr<const TextAnalysis> &analysis) {
                             analysedText = analysis->text;
                         });
        QObject::connect(&controller().pipeline(), &TextPipeline::textIndexed, &controller(),
                         [this](const std::shared_ptr<const TextIndex> &index) {
                             partsIndexed = index->tokens().partStarts().size();
                         });
        controller().openFiles({directory.filePath(u"poems"_s)});
        finishRequests();
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(directory.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    AppController &controller() const { return ui.appController(); }
    CorpusFileModel &files() const { return controller().corpusFiles(); }
    CorpusFileList *list() const { return ui.inputUi().corpusFileList; }
    void finishRequests()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !controller().isBusy(); }));
    }
    void include(const std::vector<bool> &included)
    {
        for (int row = 0; row < int(included.size()); ++row)
            files().setData(files().index(row, CorpusFileModel::File),
                            included[row] ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    QStringList column(int column) const
    {
        QStringList shown;
        for (int row = 0; row < files().rowCount(); ++row)
            shown << files().index(row, column).data().toString();
        return shown;
    }

    QTemporaryDir directory;
    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
    QString analysedText;
    std::size_t partsIndexed = 0;
};

TEST_F(CorpusFileListTest, ListsEachFileWithTheWordsTheAnalysisCounts)
{
    EXPECT_TRUE(list()->isVisibleTo(ui.inputWindow()));
    EXPECT_EQ(column(CorpusFileModel::File),
              (QStringList{u"a.txt"_s, u"b.txt"_s, u"later/c.txt"_s}));
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return !column(CorpusFileModel::Words).contains(u"counting…"_s); }));
    EXPECT_EQ(column(CorpusFileModel::Words), (QStringList{u"4"_s, u"8"_s, u"2"_s}));
    // Screen readers read a row's cells, the check box's state in the file's name.
    include({true, false, true});
    EXPECT_EQ(files().index(1, CorpusFileModel::File).data(Qt::AccessibleTextRole).toString(),
              u"b.txt, not checked"_s);
    EXPECT_EQ(files().index(1, CorpusFileModel::Words).data(Qt::AccessibleTextRole).toString(),
              u"8 words"_s);

    ui.menus().newTextAction()->trigger();
    EXPECT_FALSE(list()->isVisibleTo(ui.inputWindow()));
}

struct InclusionCase
{
    const char *name;
    std::vector<bool> included;
    QString analysed;
    std::size_t parts;
    QString description;
};

void PrintTo(const InclusionCase &row, std::ostream *out)
{
    *out << row.name;
}

class InclusionTest : public CorpusFileListTest, public ::testing::WithParamInterface<InclusionCase>
{
};

// Analyse takes the checked files only, each apart from the others, and the bar says so.
TEST_P(InclusionTest, AnalysesTheCheckedFiles)
{
    include(GetParam().included);
    controller().analyseTypedText();
    finishRequests();
    EXPECT_EQ(analysedText, GetParam().analysed);
    EXPECT_EQ(partsIndexed, GetParam().parts);
    EXPECT_EQ(ui.inputUi().corpusBar->message(), GetParam().description + u", read only."_s);
    EXPECT_TRUE(dialogs.alerts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, InclusionTest,
    ::testing::Values(InclusionCase{"All",
                                    {true, true, true},
                                    u"the rose is red\nthe sky is blue, the sea is blue\nred sky"_s,
                                    3,
                                    u"3 files from poems"_s},
                      InclusionCase{"FirstLeftOut",
                                    {false, true, true},
                                    u"the sky is blue, the sea is blue\nred sky"_s,
                                    2,
                                    u"2 of 3 files from poems"_s},
                      InclusionCase{"MiddleLeftOut",
                                    {true, false, true},
                                    u"the rose is red\nred sky"_s,
                                    2,
                                    u"2 of 3 files from poems"_s},
                      InclusionCase{"OneLeft",
                                    {false, true, false},
                                    u"the sky is blue, the sea is blue"_s,
                                    0,
                                    u"1 of 3 files from poems"_s}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CorpusFileListTest, NoFileCheckedIsSaidAndNothingAnalysed)
{
    include({false, false, false});
    analysedText.clear();
    controller().analyseTypedText();
    finishRequests();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"No Files to Analyse"_s);
    EXPECT_TRUE(analysedText.isEmpty());
}

TEST_F(CorpusFileListTest, SpaceTogglesTheCurrentFile)
{
    list()->setFocus();
    list()->setCurrentIndex(files().index(1, CorpusFileModel::Words));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(files().included(), (std::vector<bool>{true, false, true}));
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(files().included(), (std::vector<bool>{true, true, true}));
}

// The checked files against the rest: each side's counts are its files' counts summed.
TEST_F(CorpusFileListTest, CheckedFilesAgainstTheRestCountEachSideOverItsFiles)
{
    KeynessComparison &comparison = ui.keynessComparison();
    EXPECT_FALSE(comparison.canCompareWithRest());
    include({true, false, true});
    controller().analyseTypedText();
    finishRequests();
    ASSERT_TRUE(comparison.canCompareWithRest());
    comparison.compareWithRest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return comparison.table() && !comparison.isBusy(); }));
    const KeynessTable &table = *comparison.table();
    EXPECT_EQ(table.wordsA, 6);
    EXPECT_EQ(table.wordsB, 8);
    EXPECT_EQ(table.names.b, u"the other file"_s);
    std::map<QString, std::pair<qsizetype, qsizetype>> counts;
    for (const KeywordRow &row : table.rows)
        counts[row.word] = {row.countA, row.countB};
    const std::map<QString, std::pair<qsizetype, qsizetype>> expected{
        {u"blue"_s, {0, 2}}, {u"is"_s, {1, 2}},  {u"red"_s, {2, 0}}, {u"rose"_s, {1, 0}},
        {u"sea"_s, {0, 1}},  {u"sky"_s, {1, 1}}, {u"the"_s, {1, 2}}};
    EXPECT_EQ(counts, expected);

    // A new choice of files is compared with its own rest.
    include({false, true, true});
    controller().analyseTypedText();
    finishRequests();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !comparison.isBusy() && comparison.table()->wordsA == 10; }));
    EXPECT_EQ(comparison.table()->wordsB, 4);
}

} // namespace
