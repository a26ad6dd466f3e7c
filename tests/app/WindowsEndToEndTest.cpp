#include "AppController.h"
#include "FakeDialogs.h"
#include "HoldingTokensBar.h"
#include "InfoPanel.h"
#include "InputTextView.h"
#include "LeftOutBar.h"
#include "NodeLayer.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The point of a layer's centre in its view's widget coordinates (y downward).
QPoint widgetCentre(const LayerHostWidget &view, const Layer &layer)
{
    const QRectF frame = layer.frame();
    return QPointF(frame.center().x(), view.height() - frame.center().y()).toPoint();
}

// Moves the pointer through the window system, as a real pointer does, so mouse
// tracking and the window's activation state decide who hears of it.
void movePointer(QWidget *widget, QPoint point)
{
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), point));
}

class WindowsEndToEndTest : public ::testing::Test
{
protected:
    void activate(QWidget *window)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void analyse(const QString &text)
    {
        InputTextView *textView = ui.inputUi().textView;
        textView->setFocus();
        QTest::keyClicks(textView, text);
        QTest::mouseClick(ui.inputUi().analyseButton, Qt::LeftButton);
        // The analysis runs on a worker; the cloud window exists once it is handed over.
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }
    // Launches the app, analyses text and waits for the cloud window to be active.
    bool showCloudOf(const QString &text)
    {
        ui.appController().showInputWindow();
        if (!QTest::qWaitForWindowActive(ui.inputWindow()))
            return false;
        analyse(text);
        return QTest::qWaitForWindowActive(ui.cloudWindow());
    }
    const TextLayer *cloudLayer(const QString &word) const
    {
        for (const TextLayer *layer : cloud()->layers())
            if (layer->name() == word)
                return layer;
        return nullptr;
    }
    const NodeLayer *verbariumLayer(const QString &word) const
    {
        for (const auto &layer : verbarium()->rootLayer()->sublayers())
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer.get());
                nodeLayer && layer->name() == word)
                return nodeLayer;
        return nullptr;
    }
    // Waits until the verbarium shows the tree of word, grown on a worker.
    bool verbariumShows(const QString &word) const
    {
        return QTest::qWaitFor([&] {
            const auto &tree = verbarium()->root();
            return verbarium()->picture() && tree->word(tree->root()) == word;
        });
    }
    QString verbariumStartWord() const
    {
        return verbarium()->root()->word(verbarium()->picture()->startNode);
    }
    WordCloudView *cloud() const { return ui.cloudUi().wordCloudView; }
    VerbariumView *verbarium() const { return ui.verbariumUi().verbariumView; }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
};

TEST_F(WindowsEndToEndTest, TypedTextBecomesACloudInLeftAlignedRowsFromTheTop)
{
    ui.appController().showInputWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.inputWindow()));
    analyse(u"The cat saw the dog. The dog saw the cat. A bird sang."_s);

    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.cloudWindow()));
    const auto &layers = cloud()->layers();
    ASSERT_EQ(layers.size(), 7u); // a bird cat dog sang saw the
    EXPECT_EQ(layers.front()->name(), u"a"_s);
    EXPECT_EQ(layers.back()->name(), u"the"_s);
    // The first word hangs from the top edge at the left; no two words overlap and
    // each stays inside the view.
    const QRectF first = layers.front()->frame();
    EXPECT_DOUBLE_EQ(first.left(), 0.0);
    const QRectF viewBox(QPointF(0, 0), QSizeF(cloud()->size()));
    for (size_t i = 0; i < layers.size(); ++i) {
        EXPECT_TRUE(viewBox.contains(layers[i]->frame())) << layers[i]->name().toStdString();
        for (size_t j = i + 1; j < layers.size(); ++j)
            EXPECT_FALSE(layers[i]->frame().intersects(layers[j]->frame()));
    }
}

TEST_F(WindowsEndToEndTest, FromTypedTextThroughCloudAndVerbariumClicks)
{
    ASSERT_TRUE(showCloudOf(u"The cat saw the dog. The dog saw the cat. The cat ran."_s));

    // Pointing at a word shows it with its count.
    const TextLayer *the = cloudLayer(u"the"_s);
    ASSERT_NE(the, nullptr);
    movePointer(cloud(), widgetCentre(*cloud(), *the));
    EXPECT_TRUE(ui.infoPanel()->isVisible());
    EXPECT_EQ(ui.infoPanel()->wordField()->text(), u"the"_s);
    EXPECT_EQ(ui.infoPanel()->countField()->text(), u"5 times"_s);
    // A zoom moves the word away from beside the panel, which goes.
    cloud()->zoomBy(1.0);
    EXPECT_FALSE(ui.infoPanel()->isVisible());
    cloud()->setZoom(1.0);

    // Clicking it opens its verbarium, which hides nothing but takes the focus.
    QTest::mouseClick(cloud(), Qt::LeftButton, {}, widgetCentre(*cloud(), *the));
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.verbariumWindow()));
    ASSERT_TRUE(verbariumShows(u"the"_s));
    // The Start field shows the start on screen, however it was chosen.
    QLineEdit *startField = ui.verbariumUi().inputField;
    EXPECT_EQ(startField->text(), u"the"_s);

    // A left click on a follower re-roots the display and shows the path to it.
    const NodeLayer *cat = verbariumLayer(u"cat"_s);
    ASSERT_NE(cat, nullptr);
    QTest::mouseClick(verbarium(), Qt::LeftButton, {}, widgetCentre(*verbarium(), *cat));
    EXPECT_EQ(verbariumStartWord(), u"cat"_s);
    EXPECT_EQ(ui.verbariumUi().parentWords->text(), u"the "_s);

    // A right click restarts from the clicked word over the whole text.
    const NodeLayer *saw = verbariumLayer(u"saw"_s);
    ASSERT_NE(saw, nullptr);
    QTest::mouseClick(verbarium(), Qt::RightButton, {}, widgetCentre(*verbarium(), *saw));
    ASSERT_TRUE(verbariumShows(u"saw"_s));
    EXPECT_EQ(ui.verbariumUi().parentWords->text(), QString());
    EXPECT_EQ(verbarium()->root()->childCount(verbarium()->root()->root()), 1u); // "the"
    EXPECT_EQ(startField->text(), u"saw"_s);
    // Typed but not started, then Back: the field shows the start word again.
    startField->setText(u"dog"_s);
    QTest::mouseClick(ui.verbariumUi().backButton, Qt::LeftButton);
    EXPECT_EQ(startField->text(), u"saw"_s);
}

// A cloud word the tree cannot start from, since it occurs only inside longer tokens,
// is said so, and each of those tokens is a button away.
TEST_F(WindowsEndToEndTest, CloudWordOnlyInsideLongerTokensLeadsToThem)
{
    ASSERT_TRUE(showCloudOf(u"x86 chips and x86 code. h2o"_s));
    const TextLayer *x = cloudLayer(u"x"_s);
    ASSERT_NE(x, nullptr);
    QTest::mouseClick(cloud(), Qt::LeftButton, {}, widgetCentre(*cloud(), *x));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !verbarium()->message().isEmpty(); }));
    EXPECT_TRUE(verbarium()->message().contains(u"only inside x86 (2 times)"_s));
    HoldingTokensBar *bar = ui.verbariumUi().holdingTokensBar;
    ASSERT_TRUE(bar->isVisible());
    ASSERT_EQ(bar->buttons().size(), 1);
    bar->buttons().front()->click();
    ASSERT_TRUE(verbariumShows(u"x86"_s));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(ui.verbariumUi().inputField->text(), u"x86"_s);
}

// Common words chosen in the View menu leave the cloud, which is sized among what is
// left; the verbarium still has every word.
TEST_F(WindowsEndToEndTest, LeftOutWordsLeaveTheCloudButNotTheVerbarium)
{
    const auto choose = [this](const QString &code) {
        for (QAction *action : ui.viewMenu().leaveOutActions())
            if (action->data().toString() == code)
                action->trigger();
    };
    choose(u"en"_s);
    ASSERT_TRUE(showCloudOf(u"The whale and the sea. The whale."_s));
    QStringList words;
    for (const CloudWord &word : cloud()->words())
        words << word.word();
    EXPECT_EQ(words, (QStringList{u"sea"_s, u"whale"_s}));
    EXPECT_EQ(cloud()->words()[1].string.fontSize, 80);
    // The window says so, and offers the words back: a choice made for one text went on
    // leaving words out of the next without a word.
    LeftOutBar *bar = ui.cloudUi().leftOutBar;
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->message(), u"English common words left out: 2"_s);
    verbarium()->startWithWord(u"the"_s);
    ASSERT_TRUE(verbariumShows(u"the"_s));
    EXPECT_EQ(verbarium()->root()->childCount(verbarium()->root()->root()), 2u); // whale, sea

    QTest::mouseClick(bar->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return cloud()->words().size() == 4; }));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(ui.viewMenu().leaveOutActions().constFirst()->isChecked()); // None
}

TEST_F(WindowsEndToEndTest, ActivationHidesTheOtherWindows)
{
    ASSERT_TRUE(showCloudOf(u"one two three one two one"_s));
    EXPECT_TRUE(cloud()->hasMouseTracking());

    movePointer(cloud(), widgetCentre(*cloud(), *cloudLayer(u"one"_s)));
    QTest::mouseClick(cloud(), Qt::LeftButton, {}, widgetCentre(*cloud(), *cloudLayer(u"one"_s)));
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.verbariumWindow()));
    EXPECT_TRUE(ui.cloudWindow()->isVisible());
    EXPECT_FALSE(cloud()->hasMouseTracking()); // the cloud window is no longer active

    // Back to the cloud: the verbarium window goes, pointer tracking comes back.
    activate(ui.cloudWindow());
    EXPECT_FALSE(ui.verbariumWindow()->isVisible());
    EXPECT_TRUE(cloud()->hasMouseTracking());

    // Back to the input window: everything else goes, the info panel included.
    movePointer(cloud(), widgetCentre(*cloud(), *cloudLayer(u"two"_s)));
    ASSERT_TRUE(ui.infoPanel()->isVisible());
    activate(ui.inputWindow());
    EXPECT_FALSE(ui.cloudWindow()->isVisible());
    EXPECT_FALSE(ui.infoPanel()->isVisible());
    EXPECT_FALSE(ui.verbariumWindow()->isVisible());
}

// The panel speaks of what is in front of the reader: it goes when the pointer leaves the
// word or the view, when the picture is re-rooted, and when another window comes forward.
TEST_F(WindowsEndToEndTest, InfoPanelGoesWithWhatItSpeaksOf)
{
    ASSERT_TRUE(showCloudOf(u"The cat saw the dog. The dog saw the cat. The cat ran."_s));
    InfoPanel *panel = ui.infoPanel();
    const QPoint the = widgetCentre(*cloud(), *cloudLayer(u"the"_s));

    movePointer(cloud(), the);
    ASSERT_TRUE(panel->isVisible());
    QWidget *viewport = ui.cloudUi().scrollView->viewport();
    movePointer(viewport, QPoint(viewport->width() - 2, viewport->height() - 2)); // a gap
    EXPECT_FALSE(panel->isVisible());
    movePointer(cloud(), the);
    ASSERT_TRUE(panel->isVisible());
    movePointer(ui.cloudWindow(), QPoint(ui.cloudWindow()->width() / 2, 2)); // out of the view
    EXPECT_FALSE(panel->isVisible());

    // Another window forward: the verbarium's, opened from the word.
    movePointer(cloud(), the);
    ASSERT_TRUE(panel->isVisible());
    QTest::mouseClick(cloud(), Qt::LeftButton, {}, the);
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.verbariumWindow()));
    ASSERT_TRUE(verbariumShows(u"the"_s));
    EXPECT_FALSE(panel->isVisible());

    // A re-root: the word the panel spoke of has moved.
    const QPoint cat = widgetCentre(*verbarium(), *verbariumLayer(u"cat"_s));
    movePointer(verbarium(), cat);
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->wordField()->text(), u"cat"_s);
    QTest::mouseClick(verbarium(), Qt::LeftButton, {}, cat);
    EXPECT_FALSE(panel->isVisible());
}

// Screen readers name the windows by their titles and the verbarium's fields by what
// they hold.
TEST_F(WindowsEndToEndTest, WindowsAndFieldsAreNamedForScreenReaders)
{
    const struct
    {
        QWidget *widget;
        QAccessible::Role role;
        QString name;
    } rows[] = {
        {ui.inputWindow(), QAccessible::Window, u"Verbarium"_s},
        {ui.cloudWindow(), QAccessible::Window, u"Word Cloud"_s},
        {ui.verbariumWindow(), QAccessible::Window, u"Verbarium Tree"_s},
        {ui.verbariumUi().inputField, QAccessible::EditableText, u"Start"_s},
        {ui.verbariumUi().parentWords, QAccessible::EditableText, u"Path"_s},
    };
    for (const auto &row : rows) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(row.widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), row.role) << row.name.toStdString();
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), row.name.toStdString());
    }
}

TEST_F(WindowsEndToEndTest, ResizingTheCloudWindowRefitsTheRows)
{
    ASSERT_TRUE(
        showCloudOf(u"alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu"_s));
    const QRectF lastBefore = cloud()->layers().back()->frame();

    ui.cloudWindow()->resize(200, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(cloud()->width(), ui.cloudUi().scrollView->viewport()->width());
    const QRectF lastAfter = cloud()->layers().back()->frame();
    EXPECT_LT(lastAfter.bottom(), lastBefore.bottom()); // more rows in a narrower window
    for (const TextLayer *layer : cloud()->layers())
        EXPECT_LE(layer->frame().right(), 200.0 - 55.0 + 1e-3) << layer->name().toStdString();
}

} // namespace
