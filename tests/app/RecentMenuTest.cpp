#include "RecentMenu.h"

#include "AppController.h"
#include "FakeDialogs.h"
#include "InputTextView.h"
#include "UserInterface.h"
#include "ViewSettings.h"
#include "ui_InputWindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList entryNames(const RecentSources &sources)
{
    QStringList names;
    for (const QStringList &entry : sources.entries())
        names << QStringList(entry)
                     .replaceInStrings(QDir::currentPath() + u'/', QString())
                     .join(u'+');
    return names;
}

TEST(RecentSources, KeepTheLatestFirstEachOnceAndNoMoreThanTen)
{
    RecentSources sources;
    sources.add({u"a.txt"_s});
    sources.add({u"b.txt"_s, u"c.txt"_s});
    sources.add({u"d"_s});
    EXPECT_EQ(entryNames(sources), (QStringList{u"d"_s, u"b.txt+c.txt"_s, u"a.txt"_s}));
    // The same files in another order, or by another way to their path, are the same entry.
    sources.add({u"c.txt"_s, u"./b.txt"_s});
    EXPECT_EQ(entryNames(sources), (QStringList{u"c.txt+b.txt"_s, u"d"_s, u"a.txt"_s}));
    sources.remove({u"d"_s});
    EXPECT_EQ(entryNames(sources), (QStringList{u"c.txt+b.txt"_s, u"a.txt"_s}));
    for (int file = 0; file < 12; ++file)
        sources.add({u"%1.txt"_s.arg(file)});
    EXPECT_EQ(sources.entries().size(), RecentSources::mostKept);
    EXPECT_EQ(entryNames(sources).front(), u"11.txt"_s);
    EXPECT_EQ(entryNames(sources).back(), u"2.txt"_s);
}

class RecentMenuTest : public ::testing::Test
{
protected:
    QString write(const QString &name)
    {
        QFile file(directory.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("words of a file");
        return file.fileName();
    }
    void finishRequests()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }

    // Nothing remembered at first, whatever the tests before in this run opened.
    static bool forgetRecent()
    {
        ViewSettings().setRecentSources({});
        return true;
    }

    QTemporaryDir directory;
    FakeDialogs dialogs;
    bool forgotten = forgetRecent(); // before the menu reads the settings
    UserInterface ui{&dialogs};
};

// What was opened is remembered between runs; what has gone since is said and forgotten.
TEST_F(RecentMenuTest, RemembersWhatWasOpenedAndForgetsWhatIsGone)
{
    const QString one = write(u"one.txt"_s);
    const QString two = write(u"two.txt"_s);
    ui.appController().openFiles({one});
    finishRequests();
    ui.appController().openFiles({one, two});
    finishRequests();
    const QList<QStringList> expected{{one, two}, {one}};
    EXPECT_EQ(ui.recentMenu().sources().entries(), expected);
    EXPECT_EQ(ViewSettings().recentSources(), expected);

    ASSERT_TRUE(QFile::remove(one));
    ASSERT_TRUE(QFile::remove(two));
    ui.recentMenu().open({one});
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].title, u"Cannot Open one.txt"_s);
    EXPECT_TRUE(dialogs.alerts[0].message.startsWith(one + u" is no longer there"_s));
    EXPECT_EQ(ui.recentMenu().sources().entries(), (QList<QStringList>{{one, two}}));
    EXPECT_EQ(ViewSettings().recentSources(), (QList<QStringList>{{one, two}}));
    EXPECT_FALSE(ui.appController().isBusy());
}

// Opening a recent entry over the user's own text asks first, as File > Open does.
TEST_F(RecentMenuTest, OpeningOverTheUsersTextAsks)
{
    const QString one = write(u"one.txt"_s);
    ui.inputUi().textView->setPlainText(u"my own words"_s);
    dialogs.replaceConfirmed = false;
    ui.recentMenu().open({one});
    EXPECT_EQ(dialogs.confirmations, QStringList{u"Replace Your Text?"_s});
    EXPECT_EQ(ui.inputUi().textView->text(), u"my own words"_s);
}

} // namespace
