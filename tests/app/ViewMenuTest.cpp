#include "ViewMenu.h"

#include "AppDelegate.h"
#include "FakeDialogs.h"
#include "IndexCache.h"
#include "TextPipeline.h"
#include "UserInterface.h"
#include "ViewSettings.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"

#include <QAction>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
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

// The input window's View ▸ Index Cache, found as the user finds it.
QMenu *indexCacheMenu(const UserInterface &ui)
{
    for (QMenu *menu : ui.inputWindow()->menuBar()->findChildren<QMenu *>()) {
        if (menu->title().remove(u'&') == u"Index Cache"_s)
            return menu;
    }
    return nullptr;
}

// Clicks the action's entry in the menu, opened.
void choose(QMenu *menu, const QString &text)
{
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction *action : menu->actions()) {
        if (action->text().remove(u'&') == text) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return;
        }
    }
    FAIL() << "no entry " << text.toStdString();
}

// The entries checked, one after another.
std::string checkedEntries(QMenu *menu)
{
    QStringList checked;
    for (const QAction *action : menu->actions()) {
        if (action->isChecked())
            checked.append(action->text().remove(u'&'));
    }
    return checked.join(u" | "_s).toStdString();
}

// Keeping is on and the limit 2 GB until chosen otherwise; the pipeline follows at once,
// and the next run starts as the last one ended.
TEST_F(ViewMenuTest, IndexCacheChoicesApplyAndAreRemembered)
{
    const auto cacheOf = [this] { return ui->appDelegate().pipeline().cache(); };
    QMenu *menu = indexCacheMenu(*ui);
    ASSERT_NE(menu, nullptr);
    const QString keep = u"Keep Indexes Between Runs"_s;
    EXPECT_EQ(checkedEntries(menu), "Keep Indexes Between Runs | At Most 2 GB");
    ASSERT_TRUE(cacheOf());
    EXPECT_EQ(cacheOf()->sizeLimit(), IndexCache::defaultSizeLimit);
    EXPECT_EQ(cacheOf()->directory(), IndexCache::defaultDirectory());

    choose(menu, u"At Most 5 GB"_s);
    ASSERT_TRUE(cacheOf());
    EXPECT_EQ(cacheOf()->sizeLimit(), 5'000'000'000);
    choose(menu, keep);
    EXPECT_FALSE(cacheOf());
    for (const QAction *action : menu->actions())
        EXPECT_EQ(action->isEnabled(),
                  action->text().remove(u'&') == keep || action->isSeparator());

    ui = std::make_unique<UserInterface>(&dialogs);
    menu = indexCacheMenu(*ui);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(checkedEntries(menu), "At Most 5 GB");
    EXPECT_FALSE(cacheOf());
    choose(menu, keep);
    ASSERT_TRUE(cacheOf());
    EXPECT_EQ(cacheOf()->sizeLimit(), 5'000'000'000);
    choose(menu, u"At Most 2 GB"_s);
}

} // namespace
