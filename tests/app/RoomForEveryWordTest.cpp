#include "AppController.h"
#include "AppMenus.h"
#include "FakeDialogs.h"
#include "OverlapBar.h"
#include "TextIndex.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "ViewSettings.h"
#include "WordOverlaps.h"
#include "ui_VerbariumWindow.h"

#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// "a" with 30 followers of three followers each: 90 bands in a window's height, far
// lower than a word.
QString crowdedText()
{
    QString text;
    for (int follower = 0; follower < 30; ++follower)
        for (int next = 0; next < 3; ++next)
            text += u"a b%1 c%2. "_s.arg(follower).arg(next);
    return text;
}

// The View menu's Room for Every Word in the verbarium window.
QAction *viewMenuAction(const UserInterface &ui)
{
    for (const QAction *menu : ui.verbariumWindow()->findChild<QMenuBar *>()->actions())
        if (menu->text() == u"&View"_s)
            for (QAction *action : menu->menu()->actions())
                if (action->text() == u"&Room for Every Word"_s)
                    return action;
    return nullptr;
}

class RoomForEveryWordTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ViewSettings().setValue(ViewSettings::roomForEveryWord, false);
        ui = std::make_unique<UserInterface>(&dialogs);
    }

    void showTree(const QString &text, const QString &word)
    {
        controller().beginText();
        controller().setIndex(TextIndex::build(text));
        view()->startWithWord(word);
        ASSERT_TRUE(QTest::qWaitFor([this] {
            return controller().requests().work() == TreeRequests::Work::None && view()->picture();
        }));
    }

    VerbariumController &controller() const { return ui->appController().verbariumController(); }

    VerbariumView *view() const { return ui->verbariumUi().verbariumView; }
    OverlapBar *bar() const { return ui->verbariumUi().overlapBar; }
    bool wordsOverlap() const
    {
        return firstOverlap(view()->picture()->words, visibleOverlap).has_value();
    }
    int visibleHeight() const { return ui->verbariumUi().scrollView->viewport()->height(); }

    FakeDialogs dialogs;
    std::unique_ptr<UserInterface> ui;
};

struct BarRow
{
    const char *name;
    QString text;
    bool shown;
};

void PrintTo(const BarRow &row, std::ostream *os)
{
    *os << row.name;
}

class OverlapBarShown : public RoomForEveryWordTest, public testing::WithParamInterface<BarRow>
{
};

TEST_P(OverlapBarShown, OnlyWhereWordsOverlap)
{
    showTree(GetParam().text, u"a"_s);
    EXPECT_EQ(wordsOverlap(), GetParam().shown);
    EXPECT_EQ(bar()->isVisible(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(RoomForEveryWord, OverlapBarShown,
                         testing::Values(BarRow{"Crowded", crowdedText(), true},
                                         BarRow{"Roomy", u"a b c. a d e. a b f."_s, false}),
                         [](const auto &info) { return info.param.name; });

TEST_F(RoomForEveryWordTest, BarSwitchesTheLayoutWhichIsRememberedAndSwitchedBack)
{
    showTree(crowdedText(), u"a"_s);
    ASSERT_TRUE(bar()->isVisible());
    const int crowdedHeight = view()->height();

    QTest::mouseClick(bar()->roomButton(), Qt::LeftButton);
    EXPECT_TRUE(ui->viewMenu().roomForEveryWordAction()->isChecked());
    EXPECT_TRUE(view()->roomForEveryWord());
    EXPECT_FALSE(wordsOverlap());
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_GT(view()->height(), 3 * visibleHeight());
    EXPECT_TRUE(ViewSettings().value(ViewSettings::roomForEveryWord));

    // The next run starts with it on.
    ui = std::make_unique<UserInterface>(&dialogs);
    QAction *room = viewMenuAction(*ui);
    ASSERT_EQ(room, ui->viewMenu().roomForEveryWordAction());
    EXPECT_TRUE(room->isChecked());
    showTree(crowdedText(), u"a"_s);
    EXPECT_FALSE(wordsOverlap());

    // Turned off in the menu, the picture is the crowded one again, laid out in the
    // window's area as before rather than in the tall view.
    room->trigger();
    EXPECT_FALSE(view()->roomForEveryWord());
    EXPECT_FALSE(ViewSettings().value(ViewSettings::roomForEveryWord));
    EXPECT_TRUE(wordsOverlap());
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_LE(view()->height(), crowdedHeight);
}

TEST_F(RoomForEveryWordTest, ClosedBarReturnsWithTheNextPicture)
{
    showTree(crowdedText(), u"a"_s);
    QTest::mouseClick(bar()->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_FALSE(view()->roomForEveryWord());

    view()->startAtStartNode();
    EXPECT_TRUE(bar()->isVisible());
}

} // namespace
