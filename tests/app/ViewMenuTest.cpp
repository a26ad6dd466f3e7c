#include "ViewMenu.h"

#include "AppController.h"
#include "FakeDialogs.h"
#include "IndexCache.h"
#include "OwnFiles.h"
#include "OwnListEditor.h"
#include "TextPipeline.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "ViewSettings.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

    const QSet<QString> &leftOut() const { return ui->viewMenu().leftOutWords().words(); }

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
    EXPECT_TRUE(leftOut().contains(u"the"_s));

    ui = std::make_unique<UserInterface>(&dialogs);
    EXPECT_TRUE(ui->viewMenu().gapAction()->isChecked());
    EXPECT_FALSE(ui->viewMenu().contrastAction()->isChecked());
    EXPECT_TRUE(choice(u"en"_s)->isChecked());
    EXPECT_TRUE(leftOut().contains(u"and"_s));
    // The menu opens on the choice, so that Return keeps it.
    QMenu *leaveOut = nullptr;
    for (QMenu *menu : ui->inputWindow()->menuBar()->findChildren<QMenu *>()) {
        if (menu->title().remove(u'&') == u"Leave Out Common Words")
            leaveOut = menu;
    }
    ASSERT_NE(leaveOut, nullptr);
    leaveOut->popup(QPoint(0, 0));
    EXPECT_EQ(leaveOut->activeAction(), choice(u"en"_s));
    leaveOut->hide();
    choice(QString())->trigger();
    EXPECT_TRUE(leftOut().isEmpty());
    ui->viewMenu().gapAction()->trigger();
}

// Words After, Words Before and Both Sides are one choice; Both Sides is there again in
// the next run.
TEST_F(ViewMenuTest, BothSidesIsOneOfThreeDirectionsAndRemembered)
{
    const ViewMenu &menu = ui->viewMenu();
    VerbariumView *view = ui->verbariumUi().verbariumView;
    menu.bothSidesAction()->trigger();
    EXPECT_TRUE(view->bothSides());
    EXPECT_FALSE(menu.wordsAfterAction()->isChecked());

    ui = std::make_unique<UserInterface>(&dialogs);
    EXPECT_TRUE(ui->viewMenu().bothSidesAction()->isChecked());
    EXPECT_TRUE(ui->verbariumUi().verbariumView->bothSides());
    ui->viewMenu().wordsBeforeAction()->trigger();
    EXPECT_FALSE(ui->viewMenu().bothSidesAction()->isChecked());
    EXPECT_FALSE(ui->verbariumUi().verbariumView->bothSides());
    EXPECT_TRUE(ui->verbariumUi().verbariumView->wordsBefore());

    ui = std::make_unique<UserInterface>(&dialogs);
    EXPECT_TRUE(ui->viewMenu().wordsAfterAction()->isChecked());
    EXPECT_FALSE(ui->verbariumUi().verbariumView->bothSides());
}

TEST_F(ViewMenuTest, TheOwnListIsEditedInTheAppAndAppliesWhenSaved)
{
    const QString path = ViewSettings().ownListPath();
    QFile::remove(path);
    ui->viewMenu().editOwnListAction()->trigger();
    OwnListEditor *editor = ui->viewMenu().ownListEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->isReading(); }));
    // A list not made yet starts from English, not saved, and says where it will be.
    EXPECT_TRUE(editor->editor()->toPlainText().contains(u"\nthe\n"_s));
    EXPECT_TRUE(editor->saveButton()->isEnabled());
    const QList<QLabel *> labels = editor->findChildren<QLabel *>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [&path](const QLabel *label) { return label->text().contains(path); }));
    EXPECT_FALSE(choice(ViewSettings::ownListChoice)->isChecked());

    editor->editor()->selectAll();
    QTest::keyClicks(editor->editor(), u"whale"_s);
    QTest::keyClick(editor->editor(), Qt::Key_S, Qt::ControlModifier);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "whale");
    file.close();
    EXPECT_FALSE(editor->saveButton()->isEnabled());
    EXPECT_TRUE(choice(ViewSettings::ownListChoice)->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([this] { return leftOut() == QSet{u"whale"_s}; }));

    // Saved by another editor, the list applies at once.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("sea\n");
    file.close();
    EXPECT_TRUE(QTest::qWaitFor([this] { return leftOut() == QSet{u"sea"_s}; }));
    choice(QString())->trigger();
}

struct BadOwnFileRow
{
    const char *name;
    // Puts something other than a list at path; false when it cannot be done here.
    bool (*make)(const QString &path);
    const char *messagePart;
};

void PrintTo(const BadOwnFileRow &row, std::ostream *out)
{
    *out << row.name;
}

bool makeFifo(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool linkToZeros(const QString &path)
{
    return symlink("/dev/zero", QFile::encodeName(path).constData()) == 0;
}

bool writeHugeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(largestOwnFileBytes + 1);
}

bool writeBadUtf8(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("the \xff and") == 9;
}

class BadOwnList : public ViewMenuTest, public testing::WithParamInterface<BadOwnFileRow>
{
};

// A FIFO there held the app before any window showed; a link to /dev/zero filled its
// memory until it was killed.
TEST_P(BadOwnList, IsReadWithoutWaitingOrFloodingAndSaidSo)
{
    const QString path = ViewSettings().ownListPath();
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(GetParam().make(path));
    choice(ViewSettings::ownListChoice)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dialogs.alerts.empty(); }));
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Read Your List of Words"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(path));
    EXPECT_TRUE(dialogs.alerts[0].message.contains(QString::fromUtf8(GetParam().messagePart)))
        << dialogs.alerts[0].message.toStdString();
    EXPECT_TRUE(leftOut().isEmpty());

    // The editor says the same.
    ui->viewMenu().editOwnListAction()->trigger();
    OwnListEditor *editor = ui->viewMenu().ownListEditor();
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->isReading(); }));
    EXPECT_TRUE(editor->statusText().contains(QString::fromUtf8(GetParam().messagePart)));
    choice(QString())->trigger();
    QFile::remove(path);
}

INSTANTIATE_TEST_SUITE_P(OwnFiles, BadOwnList,
                         testing::Values(BadOwnFileRow{"fifo", makeFifo, "not a regular file"},
                                         BadOwnFileRow{"linkToDevZero", linkToZeros,
                                                       "not a regular file"},
                                         BadOwnFileRow{"hugeFile", writeHugeFile, "larger than"},
                                         BadOwnFileRow{"notUtf8", writeBadUtf8, "not valid UTF-8"}),
                         [](const auto &info) { return std::string(info.param.name); });

// Saving in place of a link to a FIFO (here one of the test's, where a user's link might
// point to a device) replaces the link, not what it points to.
TEST_F(ViewMenuTest, SavingTheOwnListReplacesALinkToAFifoNotTheFifo)
{
    QTemporaryDir directory;
    const QString fifo = directory.filePath(u"fifo"_s);
    ASSERT_TRUE(makeFifo(fifo));
    const QString path = ViewSettings().ownListPath();
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_EQ(symlink(QFile::encodeName(fifo).constData(), QFile::encodeName(path).constData()), 0);

    ui->viewMenu().editOwnListAction()->trigger();
    OwnListEditor *editor = ui->viewMenu().ownListEditor();
    ASSERT_TRUE(QTest::qWaitFor([editor] { return !editor->isReading(); }));
    QTest::keyClicks(editor->editor(), u"whale"_s);
    QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
    struct stat kept;
    EXPECT_TRUE(stat(QFile::encodeName(fifo).constData(), &kept) == 0 && S_ISFIFO(kept.st_mode));
    EXPECT_TRUE(QTest::qWaitFor([this] { return leftOut() == QSet{u"whale"_s}; }));
    choice(QString())->trigger();
    QFile::remove(path);
}

class BadSettings : public testing::TestWithParam<BadOwnFileRow>
{
};

// A FIFO in the settings' place held the app before any window showed.
TEST_P(BadSettings, AreSetAsideWithANoteAndTheDefaultsApply)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(u"Verbarium.ini"_s);
    ASSERT_TRUE(GetParam().make(path));
    {
        ViewSettings settings(path);
        EXPECT_TRUE(settings.setAsideNote().contains(path))
            << settings.setAsideNote().toStdString();
        EXPECT_TRUE(settings.setAsideNote().contains(QString::fromUtf8(GetParam().messagePart)));
        EXPECT_FALSE(settings.value(ViewSettings::wordGap));
        settings.setValue(ViewSettings::wordGap, true);
    }
    // Set aside beside it, and new settings kept in its place.
    const QStringList aside =
        QDir(directory.path())
            .entryList({u"Verbarium.ini.set-aside-*"_s}, QDir::AllEntries | QDir::System);
    EXPECT_EQ(aside.size(), 1);
    EXPECT_TRUE(ViewSettings(path).value(ViewSettings::wordGap));
    EXPECT_TRUE(ViewSettings(path).setAsideNote().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(OwnFiles, BadSettings,
                         testing::Values(BadOwnFileRow{"fifo", makeFifo, "not a regular file"},
                                         BadOwnFileRow{"linkToDevZero", linkToZeros,
                                                       "not a regular file"},
                                         BadOwnFileRow{"hugeFile", writeHugeFile, "larger than"}),
                         [](const auto &info) { return std::string(info.param.name); });

// The app's own settings file, a FIFO, held the app before any window showed.
TEST(BadSettingsAtStart, AreSaidInAnAlertOnceTheWindowIsUp)
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         u"/Verbarium/Verbarium.ini"_s;
    const QString kept = path + u".kept"_s;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::rename(path, kept);
    ASSERT_TRUE(makeFifo(path));
    FakeDialogs dialogs;
    {
        UserInterface ui(&dialogs);
        ui.appController().showInputWindow();
        ASSERT_TRUE(QTest::qWaitFor([&dialogs] { return !dialogs.alerts.empty(); }));
    }
    EXPECT_EQ(dialogs.alerts[0].title, u"Settings Set Aside"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(path + u": is not a regular file"_s))
        << dialogs.alerts[0].message.toStdString();
    for (const QString &aside : QDir(QFileInfo(path).absolutePath())
                                    .entryList({u"Verbarium.ini.set-aside-*"_s}, QDir::System))
        QFile::remove(QFileInfo(path).absolutePath() + u'/' + aside);
    QFile::remove(path);
    QFile::rename(kept, path);
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
    EXPECT_FALSE(ui->viewMenu().showKeynessAction()->isEnabled());
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
    const auto cacheOf = [this] { return ui->appController().pipeline().cache(); };
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
