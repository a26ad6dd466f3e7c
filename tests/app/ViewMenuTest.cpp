#include "ViewMenu.h"

#include "FakeDialogs.h"
#include "UserInterface.h"
#include "ViewSettings.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(ViewSettings, RememberEachOptionInItsFile)
{
    QTemporaryDir directory;
    const QString file = directory.filePath(u"Verbarium.conf"_s);
    {
        ViewSettings settings(file);
        EXPECT_FALSE(settings.value(ViewSettings::wordGap));
        EXPECT_TRUE(settings.leftOutWords().isEmpty());
        settings.setValue(ViewSettings::wordGap, true);
        settings.setLeftOutWords(u"de"_s);
    }
    const ViewSettings again(file);
    EXPECT_TRUE(again.value(ViewSettings::wordGap));
    EXPECT_FALSE(again.value(ViewSettings::contrastColours));
    EXPECT_EQ(again.leftOutWords(), u"de"_s);
    EXPECT_EQ(again.ownListPath(), directory.filePath(u"common-words.txt"_s));
}

class ViewMenuTest : public ::testing::Test
{
protected:
    WordCloudView *cloud() const { return ui->cloudUi().wordCloudView; }
    QAction *choice(const QString &code) const
    {
        for (QAction *action : ui->viewMenu().leaveOutActions())
            if (action->data().toString() == code)
                return action;
        return nullptr;
    }

    FakeDialogs dialogs;
    std::unique_ptr<UserInterface> ui = std::make_unique<UserInterface>(&dialogs);
};

// The options reach the cloud at once and are there again in the next run.
TEST_F(ViewMenuTest, CloudOptionsApplyAndAreRemembered)
{
    ui->viewMenu().gapAction()->trigger();
    ASSERT_NE(choice(u"en"_s), nullptr);
    choice(u"en"_s)->trigger();
    EXPECT_TRUE(cloud()->options().gapBetweenWords);
    EXPECT_TRUE(cloud()->options().leftOut.contains(u"the"_s));

    ui = std::make_unique<UserInterface>(&dialogs);
    EXPECT_TRUE(ui->viewMenu().gapAction()->isChecked());
    EXPECT_FALSE(ui->viewMenu().contrastAction()->isChecked());
    EXPECT_TRUE(choice(u"en"_s)->isChecked());
    EXPECT_TRUE(cloud()->options().leftOut.contains(u"and"_s));
    choice(QString())->trigger();
    EXPECT_TRUE(cloud()->options().leftOut.isEmpty());
    ui->viewMenu().gapAction()->trigger();
}

TEST_F(ViewMenuTest, TheOwnListIsAPlainFileReadWhenSaved)
{
    const QString path = ViewSettings().ownListPath();
    QFile::remove(path);
    // Edit Your Own List… starts the file from English, chooses it and has it opened.
    QSignalSpy opened(&ui->viewMenu(), &ViewMenu::ownListOpened);
    ui->viewMenu().editOwnListAction()->trigger();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(opened.size(), 1);
    EXPECT_TRUE(choice(ViewSettings::ownListChoice)->isChecked());
    EXPECT_TRUE(cloud()->options().leftOut.contains(u"the"_s));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("whale\n");
    file.close();
    // Saved in an editor, the list applies at once.
    EXPECT_TRUE(QTest::qWaitFor([this] { return cloud()->options().leftOut == QSet{u"whale"_s}; }));
    choice(QString())->trigger();
}

TEST_F(ViewMenuTest, MenusStandBeforeHelpAndWindowEntriesWaitForPictures)
{
    QStringList menus;
    for (const QAction *menu : ui->inputWindow()->menuBar()->actions())
        menus << menu->text().remove(u'&');
    EXPECT_EQ(menus, (QStringList{u"File"_s, u"Edit"_s, u"View"_s, u"Window"_s, u"Help"_s}));
    EXPECT_TRUE(ui->viewMenu().showInputAction()->isEnabled());
    EXPECT_FALSE(ui->viewMenu().showCloudAction()->isEnabled());
    EXPECT_FALSE(ui->viewMenu().showVerbariumAction()->isEnabled());
    EXPECT_FALSE(ui->viewMenu().zoomInAction()->isEnabled()); // no picture window active
}

} // namespace
