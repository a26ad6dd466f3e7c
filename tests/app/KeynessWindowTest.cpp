#include "KeynessWindow.h"

#include "AppController.h"
#include "AppMenus.h"
#include "FakeDialogs.h"
#include "InputTextView.h"
#include "KeynessComparison.h"
#include "KeynessTableModel.h"
#include "TextLayer.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "WordCloudView.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAccessible>
#include <QAction>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

KeywordRow keyword(const QString &word, qsizetype countA, qsizetype countB, double ll, double ratio)
{
    return {word, countA, countB, ll, ratio};
}

struct SortCase
{
    const char *name;
    KeynessTableModel::Column column;
    QStringList ascending; // the words, sorted by the column
};

void PrintTo(const SortCase &sortCase, std::ostream *out)
{
    *out << sortCase.name;
}

class KeynessTableSortTest : public ::testing::TestWithParam<SortCase>
{
};

// As text, "9" would follow "10" and "100", and "-2.5" come before "-10".
TEST_P(KeynessTableSortTest, SortsNumbersAsNumbers)
{
    auto table = std::make_shared<KeynessTable>();
    table->rows = {keyword(u"ark"_s, 100, 9, 50.5, 3.5), keyword(u"bee"_s, 9, 100, 9.75, -10.0),
                   keyword(u"cow"_s, 10, 10, 0.0, -2.5)};
    KeynessTableModel model;
    model.setTable(table);
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(KeynessTableModel::sortRole);
    sorted.sort(GetParam().column, Qt::AscendingOrder);

    QStringList words;
    for (int row = 0; row < sorted.rowCount(); ++row)
        words << sorted.index(row, KeynessTableModel::Word).data().toString();
    EXPECT_EQ(words, GetParam().ascending);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, KeynessTableSortTest,
    ::testing::Values(
        SortCase{"CountA", KeynessTableModel::CountA, {u"bee"_s, u"cow"_s, u"ark"_s}},
        SortCase{"CountB", KeynessTableModel::CountB, {u"ark"_s, u"cow"_s, u"bee"_s}},
        SortCase{"LogLikelihood", KeynessTableModel::LogLikelihood, {u"cow"_s, u"bee"_s, u"ark"_s}},
        SortCase{"LogRatio", KeynessTableModel::LogRatio, {u"bee"_s, u"cow"_s, u"ark"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

class CompareWithTest : public ::testing::Test
{
protected:
    void analyse(const QString &text)
    {
        ui.inputUi().textView->setPlainText(text);
        ui.appController().analyseTypedText();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }
    void compareWith(const QString &name, const QByteArray &bytes)
    {
        const QString path = directory.filePath(name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        dialogs.chosenFile = path;
        ui.menus().compareWithAction()->trigger();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.keynessComparison().isBusy(); }));
    }
    WordCloudView *keynessCloud() const { return ui.keynessWindow()->cloudView(); }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
    QTemporaryDir directory;
};

TEST_F(CompareWithTest, FileNotInUtf8IsSaidAndTheTextStays)
{
    const QString text = u"the cat sat on the mat"_s;
    analyse(text);
    compareWith(u"latin1.txt"_s, "caf\xe9 au lait");

    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Compare the Texts"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(u"latin1.txt"_s));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(u"UTF-8"_s))
        << dialogs.alerts[0].message.toStdString();
    EXPECT_EQ(ui.inputUi().textView->text(), text);
    EXPECT_FALSE(ui.keynessWindow()->isVisible());
}

TEST_F(CompareWithTest, ClickInTheKeynessCloudOpensTheWordsVerbariumInTheText)
{
    analyse(u"cat the "_s.repeated(20));
    compareWith(u"dogs.txt"_s, QByteArray("dog the ").repeated(20));
    ASSERT_TRUE(dialogs.alerts.empty());
    ASSERT_TRUE(QTest::qWaitFor([this] { return keynessCloud()->layers().size() == 2; }));

    // "cat" is A's, "dog" B's; "the", used alike, is in the table only.
    EXPECT_EQ(ui.keynessWindow()->tableView()->model()->rowCount(), 3);
    ui.viewMenu().updateActions();
    EXPECT_TRUE(ui.viewMenu().showKeynessAction()->isEnabled());
    QAccessibleInterface *cloud = QAccessible::queryAccessibleInterface(keynessCloud());
    ASSERT_NE(cloud, nullptr);
    ASSERT_EQ(cloud->childCount(), 2);
    EXPECT_EQ(cloud->child(0)->text(QAccessible::Name), u"cat, used more in this text"_s);
    EXPECT_EQ(cloud->child(1)->text(QAccessible::Name), u"dog, used more in dogs.txt"_s);

    const QRect cat = keynessCloud()->wordRect(0);
    QTest::mouseClick(keynessCloud(), Qt::LeftButton, {}, cat.center());
    VerbariumView *verbarium = ui.verbariumUi().verbariumView;
    EXPECT_TRUE(QTest::qWaitFor([verbarium] {
        return verbarium->picture() && verbarium->root()->word(verbarium->root()->root()) == u"cat";
    }));
}

} // namespace
