#include "AppMenus.h"

#include "AppController.h"
#include "FakeDialogs.h"
#include "InputTextView.h"
#include "UserInterface.h"
#include "ui_InputWindow.h"

#include <QAction>
#include <QClipboard>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Which of the Edit menu's actions are enabled, in menu order.
QString editStates(const QWidget *window)
{
    const QMenuBar *bar = window->findChild<QMenuBar *>();
    QString states;
    for (const QAction *menu : bar->actions()) {
        if (menu->text() != u"&Edit"_s)
            continue;
        for (const QAction *action : menu->menu()->actions())
            if (!action->isSeparator())
                states += action->text().remove(u'&') + (action->isEnabled() ? u"+ "_s : u"- "_s);
    }
    return states.trimmed();
}

class AppMenusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui.appController().showInputWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ui.inputWindow()));
        QGuiApplication::clipboard()->setText(u"on the clipboard"_s);
    }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
};

TEST_F(AppMenusTest, EditActionsFollowTheTextViewInTheInputWindowAndThePictureElsewhere)
{
    InputTextView *text = ui.inputUi().textView;
    text->setFocus();
    EXPECT_EQ(editStates(ui.inputWindow()), u"Undo- Redo- Cut- Copy- Paste+ Select All-"_s);

    QTest::keyClicks(text, u"the cat saw the dog"_s);
    EXPECT_EQ(editStates(ui.inputWindow()), u"Undo+ Redo- Cut- Copy- Paste+ Select All+"_s);
    text->selectAll();
    EXPECT_EQ(editStates(ui.inputWindow()), u"Undo+ Redo- Cut+ Copy+ Paste+ Select All+"_s);
    text->undo();
    EXPECT_EQ(editStates(ui.inputWindow()), u"Undo- Redo+ Cut- Copy- Paste+ Select All-"_s);
    text->redo();

    // In the cloud window only Copy is left: it takes the picture.
    ui.appController().analyseTypedText();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.cloudWindow()));
    EXPECT_EQ(editStates(ui.cloudWindow()), u"Undo- Redo- Cut- Copy+ Paste- Select All-"_s);
}

TEST_F(AppMenusTest, AboutNamesTheVersion)
{
    for (QAction *action : ui.inputWindow()->menuBar()->actions())
        if (action->text() == u"&Help"_s)
            action->menu()->actions().constFirst()->trigger();
    EXPECT_TRUE(dialogs.about.startsWith(u"About Verbarium\nVerbarium "_s +
                                         QStringLiteral(VERBARIUM_VERSION)))
        << dialogs.about.toStdString();
}

} // namespace
