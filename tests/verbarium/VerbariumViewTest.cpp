// Real mouse events go through the window, which finds the widget under the pointer,
// so the scroll area's mapping is part of what is tested.
#define QTEST_QPA_MOUSE_HANDLING

#include "VerbariumView.h"

#include "AtSpiTreeItems.h"
#include "HoldingTokensText.h"
#include "InfoPanel.h"
#include "NodeLayer.h"
#include "TextIndex.h"
#include "VerbariumController.h"
#include "ViewCoordinates.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString sampleText = u"the cat sat on the mat. the cat ran home. a dog ran to the cat? no! "
                           u"the dog sat. the cat sat on the mat."_s;

// The verbarium window as the app lays it out: controls above a scroll area that
// holds the view at a fixed size.
class VerbariumViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        inputField = new QLineEdit(&window);
        parentWords = new QLineEdit(&window);
        scrollArea = new QScrollArea(&window);
        layout->addWidget(inputField);
        layout->addWidget(parentWords);
        layout->addWidget(scrollArea);
        view = new VerbariumView;
        view->resize(300, 900);
        scrollArea->setWidgetResizable(false);
        scrollArea->setWidget(view);
        view->setScrollView(scrollArea);
        controller.serve(view);
        QObject::connect(view, &VerbariumView::parentWordsChanged, parentWords,
                         &QLineEdit::setText);
        QObject::connect(view, &VerbariumView::wordHovered, &panel, &InfoPanel::showWord);
        window.resize(400, 400);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        giveText(sampleText);
    }

    // A new text and, at once, its index.
    void giveText(const QString &text)
    {
        controller.beginText();
        controller.setIndex(TextIndex::build(text));
    }

    // Starts with word and waits until its tree is on screen.
    void startWith(const QString &word)
    {
        view->startWithWord(word);
        waitForTreeOf(word);
    }
    void waitForTreeOf(const QString &word)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return controller.requests().work() == TreeRequests::Work::None && view->picture() &&
                   tree().word(tree().root()) == word;
        }));
    }

    const VerbariumTree &tree() const { return *view->root(); }
    Node startNode() const { return view->picture()->startNode; }

    std::vector<const Layer *> layers() const
    {
        std::vector<const Layer *> shown;
        for (const auto &layer : view->rootLayer()->sublayers())
            shown.push_back(layer.get());
        return shown;
    }

    // The first layer of the picture showing word.
    const NodeLayer *wordLayer(const QString &word) const
    {
        for (const Layer *layer : layers()) {
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer);
                nodeLayer && nodeLayer->name() == word)
                return nodeLayer;
        }
        return nullptr;
    }

    // Scrolls the layer-coordinate point into sight and returns it in the viewport.
    QPoint viewportPointFor(QPointF layerPoint)
    {
        const QPoint inView =
            view->widgetRectFromView(QRectF(layerPoint, QSizeF())).topLeft().toPoint();
        scrollArea->ensureVisible(inView.x(), inView.y(), 10, 10);
        return view->mapTo(scrollArea->viewport(), inView);
    }

    QPoint viewportPointFor(const Layer &layer) { return viewportPointFor(layer.frame().center()); }

    void click(const Layer &layer, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(scrollArea->viewport(), button, {}, viewportPointFor(layer));
    }

    void hover(const Layer &layer)
    {
        QTest::mouseMove(scrollArea->viewport(), viewportPointFor(layer));
    }

    VerbariumController controller;
    QWidget window;
    InfoPanel panel;
    QLineEdit *inputField = nullptr;
    QLineEdit *parentWords = nullptr;
    QScrollArea *scrollArea = nullptr;
    VerbariumView *view = nullptr; // owned by the scroll area
};

TEST_F(VerbariumViewTest, StartShowsTheTreeFromItsRoot)
{
    startWith(u"the"_s);
    EXPECT_EQ(startNode(), tree().root());
    ASSERT_NE(wordLayer(u"cat"_s), nullptr);
    EXPECT_EQ(wordLayer(u"the"_s)->node(), tree().root());
    // A new tree starts from the visible area, whatever size an earlier one left.
    EXPECT_EQ(view->size(), scrollArea->maximumViewportSize());
    EXPECT_EQ(wordLayer(u"the"_s)->position(), QPointF(20, view->height() * 0.5));
    EXPECT_TRUE(view->hasMouseTracking());
    EXPECT_TRUE(view->window()->isActiveWindow());
}

struct ScrollRow
{
    const char *name;
    bool scrollToEnd;
};

void PrintTo(const ScrollRow &row, std::ostream *os)
{
    *os << row.name;
}

class ScrolledHitTest : public VerbariumViewTest, public testing::WithParamInterface<ScrollRow>
{
};

// The picture, magnified, is taller than the viewport: whichever part is in sight, a
// click lands on the word under the pointer.
TEST_P(ScrolledHitTest, ClickFindsTheWordUnderThePointer)
{
    startWith(u"the"_s);
    view->setZoom(2.5);
    ASSERT_GT(view->height(), scrollArea->viewport()->height());
    // "cat" sits in the top band, "dog" in the bottom one.
    const QString target = GetParam().scrollToEnd ? u"dog"_s : u"cat"_s;
    const NodeLayer *layer = wordLayer(target);
    ASSERT_NE(layer, nullptr);
    const Node expected = layer->node();

    click(*layer);
    EXPECT_NE(scrollArea->verticalScrollBar()->value(),
              GetParam().scrollToEnd ? 0 : scrollArea->verticalScrollBar()->maximum());
    EXPECT_EQ(startNode(), expected);
    EXPECT_EQ(parentWords->text(), u"the "_s);
}

INSTANTIATE_TEST_SUITE_P(VerbariumView, ScrolledHitTest,
                         testing::Values(ScrollRow{"Top", false}, ScrollRow{"Bottom", true}),
                         [](const auto &info) { return info.param.name; });

TEST_F(VerbariumViewTest, ClickReRootsAndShowsThePathFromTheRoot)
{
    startWith(u"the"_s);
    const NodeLayer *sat = wordLayer(u"sat"_s); // the → cat → sat
    ASSERT_NE(sat, nullptr);
    ASSERT_EQ(tree().word(*tree().parent(sat->node())), u"cat"_s);
    click(*sat);
    EXPECT_EQ(parentWords->text(), u"the cat "_s);
    EXPECT_EQ(tree().word(startNode()), u"sat"_s);
    EXPECT_EQ(wordLayer(u"sat"_s)->position(), QPointF(20, view->height() * 0.5));

    // The path is rebuilt from the tree's root, not from the shown start.
    const NodeLayer *on = wordLayer(u"on"_s);
    ASSERT_NE(on, nullptr);
    click(*on);
    EXPECT_EQ(parentWords->text(), u"the cat sat "_s);

    view->startAtStartNode();
    EXPECT_EQ(parentWords->text(), QString());
    EXPECT_EQ(startNode(), tree().root());

    click(*wordLayer(u"the"_s));
    EXPECT_EQ(parentWords->text(), QString());
    EXPECT_EQ(startNode(), tree().root());
}

TEST_F(VerbariumViewTest, RightClickRestartsOverTheWholeText)
{
    startWith(u"the"_s);
    const NodeLayer *ran = wordLayer(u"ran"_s); // the → cat → ran: only "home" follows here
    ASSERT_NE(ran, nullptr);
    click(*ran, Qt::RightButton);
    waitForTreeOf(u"ran"_s);
    QStringList followers;
    for (quint32 i = 0; i < tree().childCount(tree().root()); ++i)
        followers.append(tree().word(tree().child(tree().root(), i)));
    EXPECT_EQ(followers, (QStringList{u"home"_s, u"to"_s}));
    EXPECT_EQ(startNode(), tree().root());
}

// The panel says how often the word's sequence occurs and, the count the tree's bands
// follow, how many branches lie below it.
TEST_F(VerbariumViewTest, HoverShowsHowOftenAndTheBranches)
{
    startWith(u"the"_s);
    const NodeLayer *cat = wordLayer(u"cat"_s);
    ASSERT_NE(cat, nullptr);
    hover(*cat);
    EXPECT_EQ(panel.wordField()->text(), u"cat"_s);
    EXPECT_EQ(panel.countField()->text(), u"4 times · 3 branches"_s);

    // Off every word the view says the hover has ended.
    QSignalSpy ended(view, &VerbariumView::hoverEnded);
    QTest::mouseMove(scrollArea->viewport(), viewportPointFor(QPointF(view->width() - 2.0, 2.0)));
    EXPECT_EQ(ended.count(), 1);
    hover(*wordLayer(u"dog"_s));
    EXPECT_EQ(panel.wordField()->text(), u"dog"_s);
}

// Dragging is not pointing.
TEST_F(VerbariumViewTest, HoverIgnoresDrags)
{
    startWith(u"the"_s);
    hover(*wordLayer(u"cat"_s));
    const QPoint background = viewportPointFor(QPointF(view->width() - 2.0, 2.0));
    QTest::mousePress(scrollArea->viewport(), Qt::LeftButton, {}, background);
    QTest::mouseMove(scrollArea->viewport(), viewportPointFor(*wordLayer(u"dog"_s)));
    QTest::mouseRelease(scrollArea->viewport(), Qt::LeftButton, {}, background);
    EXPECT_EQ(panel.wordField()->text(), u"cat"_s);
}

struct IgnoredRow
{
    const char *name;
    Qt::MouseButton button;
    bool onCurve;
};

void PrintTo(const IgnoredRow &row, std::ostream *os)
{
    *os << row.name;
}

class IgnoredClick : public VerbariumViewTest, public testing::WithParamInterface<IgnoredRow>
{
};

TEST_P(IgnoredClick, ChangesNothing)
{
    startWith(u"the"_s);
    const NodeLayer *cat = wordLayer(u"cat"_s);
    ASSERT_NE(cat, nullptr);
    click(*cat);
    const std::vector<const Layer *> before = layers();
    const QString path = parentWords->text();

    QPointF target(view->width() - 2.0, 2.0);
    if (GetParam().onCurve) {
        const auto curve = std::find_if(before.begin(), before.end(), [](const Layer *layer) {
            return layer->name() == u"curve.layer"_s;
        });
        ASSERT_NE(curve, before.end());
        target = (*curve)->frame().center();
    }
    // The click must miss every word for the test to mean anything.
    ASSERT_EQ(view->wordAt(view->widgetRectFromView(QRectF(target, QSizeF())).topLeft()), -1);

    QTest::mouseClick(scrollArea->viewport(), GetParam().button, {}, viewportPointFor(target));
    EXPECT_EQ(layers(), before);
    EXPECT_EQ(parentWords->text(), path);
    EXPECT_EQ(controller.requests().work(), TreeRequests::Work::None);
    EXPECT_EQ(tree().word(tree().root()), u"the"_s);
}

INSTANTIATE_TEST_SUITE_P(VerbariumView, IgnoredClick,
                         testing::Values(IgnoredRow{"LeftOnBackground", Qt::LeftButton, false},
                                         IgnoredRow{"RightOnBackground", Qt::RightButton, false},
                                         IgnoredRow{"LeftOnCurve", Qt::LeftButton, true},
                                         IgnoredRow{"RightOnCurve", Qt::RightButton, true}),
                         [](const auto &info) { return info.param.name; });

// What is typed in the Start field, or copied from the text, is cut into words and
// lower-cased as the text is, so it finds what the text holds.
TEST_F(VerbariumViewTest, StartFieldReadsWhatIsTypedAsTheTextIsRead)
{
    giveText(u"The LORD'S house. The lord, the LORD'S!"_s);
    const struct
    {
        QString typed;
        QString root;
        quint32 occurrences;
    } rows[] = {
        {u"The"_s, u"the"_s, 3},
        {u" the "_s, u"the"_s, 3},
        {u"lord's"_s, u"lord ' s"_s, 2},
        {u"lord,"_s, u"lord ,"_s, 1},
        {u"The LORD'S"_s, u"the lord ' s"_s, 2},
    };
    for (const auto &row : rows) {
        view->start(row.typed);
        waitForTreeOf(row.root);
        EXPECT_EQ(tree().occurrences(), row.occurrences) << row.typed.toStdString();
    }
    // Whitespace alone asks for nothing: the tree stays.
    view->start(u"  "_s);
    EXPECT_EQ(tree().word(tree().root()), u"the lord ' s"_s);
}

// A word the cloud counts only inside longer tokens ("x" in "x86") is said to be there,
// with those tokens, rather than not to occur.
TEST_F(VerbariumViewTest, WordOnlyInsideLongerTokensNamesThem)
{
    QSignalSpy inside(&controller, &VerbariumController::startOnlyInsideTokens);
    giveText(u"x86 chips and x86 code. h2o"_s);
    view->startWithWord(u"x"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->message().isEmpty(); }));
    EXPECT_EQ(view->message(),
              u"“x” occurs only inside x86 (2 times); the tree follows whole words."_s);
    ASSERT_EQ(inside.count(), 1);
    EXPECT_EQ(inside[0][0].value<QList<HoldingToken>>(), (QList<HoldingToken>{{u"x86"_s, 2}}));
    EXPECT_FALSE(view->picture());
}

struct HoldingTextRow
{
    const char *name;
    QList<HoldingToken> tokens;
    QString text;
};

void PrintTo(const HoldingTextRow &row, std::ostream *os)
{
    *os << row.name;
}

class HoldingText : public testing::TestWithParam<HoldingTextRow>
{
};

TEST_P(HoldingText, NamesTheFirstTokensAndCountsTheOthers)
{
    EXPECT_EQ(holdingTokensText(GetParam().tokens), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, HoldingText,
    testing::Values(
        HoldingTextRow{"one", {{u"x86"_s, 2}}, u"x86 (2 times)"_s},
        HoldingTextRow{"two", {{u"x86"_s, 2}, {u"x64"_s, 1}}, u"x86 (2 times) and x64 (1 time)"_s},
        HoldingTextRow{"five",
                       {{u"a1"_s, 5}, {u"a2"_s, 4}, {u"a3"_s, 3}, {u"a4"_s, 2}, {u"a5"_s, 1}},
                       u"a1 (5 times), a2 (4 times), a3 (3 times) and 2 other words"_s},
        HoldingTextRow{"invisible", {{u"foo\u200Dbar"_s, 1}}, u"foo⟨U+200D⟩bar (1 time)"_s}),
    [](const auto &info) { return info.param.name; });

// A word that occurs without followers is shown alone with the path cleared; one that
// never occurs is said so, with nothing drawn: neither the tree of the word chosen
// before nor one of an earlier text stays on screen.
TEST_F(VerbariumViewTest, WordWithoutFollowersIsShownAloneAndAbsentOneSaidSo)
{
    startWith(u"the"_s);
    click(*wordLayer(u"cat"_s));
    ASSERT_FALSE(parentWords->text().isEmpty());
    view->startWithWord(u"zebra"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->message().isEmpty(); }));
    EXPECT_EQ(view->message(), u"“zebra” does not occur in the text."_s);
    EXPECT_EQ(parentWords->text(), QString());
    EXPECT_TRUE(layers().empty());

    giveText(u"alpha beta gamma"_s);
    startWith(u"gamma"_s);
    EXPECT_TRUE(view->message().isEmpty());
    ASSERT_EQ(layers().size(), 1u);
    EXPECT_EQ(layers().front()->name(), u"gamma"_s);
    // Its end of resize leaves the word as it is.
    view->refitAfterResize();
    EXPECT_EQ(layers().size(), 1u);
}

// A new tree asks for the contexts of its root, a click or the keyboard's focus for its
// node's: the sequence down to it and the count it stands for. Pointing asks for none.
TEST_F(VerbariumViewTest, NodesAskForTheirContexts)
{
    QSignalSpy asked(view, &VerbariumView::contextsAsked);
    startWith(u"the"_s);
    ASSERT_GE(asked.count(), 1);
    auto query = asked.last()[0].value<ContextsQuery>();
    EXPECT_EQ(query.sequence, QStringList{u"the"_s});
    EXPECT_EQ(query.count, tree().occurrences());

    const NodeLayer *cat = wordLayer(u"cat"_s);
    const quint32 catCount = tree().count(cat->node());
    click(*cat);
    query = asked.last()[0].value<ContextsQuery>();
    EXPECT_EQ(query.sequence, (QStringList{u"the"_s, u"cat"_s}));
    EXPECT_EQ(query.count, catCount);
    EXPECT_EQ(query.index, query.forward);
    const qsizetype asks = asked.count();
    hover(*wordLayer(u"sat"_s));
    EXPECT_EQ(asked.count(), asks);

    // Back at the start word, the root's again.
    view->startAtStartNode();
    EXPECT_EQ(asked.last()[0].value<ContextsQuery>().sequence, QStringList{u"the"_s});
    // Each new tree asks for its own root's, though every root is the same node.
    startWith(u"the"_s);
    startWith(u"cat"_s);
    EXPECT_EQ(asked.last()[0].value<ContextsQuery>().sequence, QStringList{u"cat"_s});
}

// The words before stand to the left of the start word, which stands at the right
// and is in sight however wide the picture grows; the arrows turn with the picture.
TEST_F(VerbariumViewTest, WordsBeforeAreMirroredWithTheStartInSight)
{
    QString text;
    for (int word = 0; word < 60; ++word)
        text += u"w%1 "_s.arg(word);
    giveText(text + u"end"_s);
    view->setWordsBefore(true);
    startWith(u"end"_s);
    const std::vector<PlacedWord> &words = view->picture()->words;
    ASSERT_GT(words.size(), 2u);
    EXPECT_EQ(tree().word(tree().child(tree().root(), 0)), u"w59"_s);
    EXPECT_GT(words.front().position.x(), words.back().position.x());
    EXPECT_TRUE(view->visibleRegion().contains(view->wordRect(0)));
    // Laid out anew at the end of a resize, it stays mirrored.
    view->refitAfterResize();
    const std::vector<PlacedWord> &resized = view->picture()->words;
    EXPECT_GT(resized.front().position.x(), resized.back().position.x());

    view->setFocus(Qt::TabFocusReason);
    view->focusWord(0);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(view->focusedWord(), 1);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->focusedWord(), 0);
}

// With room for every word the picture is many windows tall: each display shows its
// start word but a resize keeps the scroll position, clicks still find their words,
// and a smaller tree gives a smaller view.
TEST_F(VerbariumViewTest, RoomForEveryWordScrollsToTheStartWord)
{
    QString crowded;
    for (int follower = 0; follower < 30; ++follower)
        crowded += u"a b%1 c. a b%1 d. "_s.arg(follower);
    giveText(crowded);
    view->setRoomForEveryWord(true);
    startWith(u"a"_s);
    const int tallHeight = view->height();
    ASSERT_GT(tallHeight, 3 * scrollArea->viewport()->height());
    const auto startVisible = [this] {
        const QRect start = ViewCoordinates(view->height())
                                .layerToDevice()
                                .mapRect(wordLayer(tree().word(startNode()))->frame())
                                .toAlignedRect();
        return view->visibleRegion().contains(start);
    };
    EXPECT_TRUE(startVisible());

    // The end of a resize keeps the place the reader scrolled to.
    scrollArea->verticalScrollBar()->setValue(0);
    view->refitAfterResize();
    EXPECT_EQ(scrollArea->verticalScrollBar()->value(), 0);

    const NodeLayer *last = wordLayer(u"b29"_s);
    ASSERT_NE(last, nullptr);
    click(*last);
    EXPECT_EQ(tree().word(startNode()), u"b29"_s);
    EXPECT_LT(view->height(), tallHeight);
    EXPECT_TRUE(startVisible());
}

TEST_F(VerbariumViewTest, EndOfWindowResizeRedisplaysInTheLargerArea)
{
    startWith(u"the"_s);
    window.resize(700, 1200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->height() >= 1100; }));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return wordLayer(u"the"_s)->position().y() == view->height() * 0.5; }));
    EXPECT_GE(view->size().width(), scrollArea->viewport()->width());

    // Made smaller again (as the contexts pane does), the tree keeps its size but the
    // start word, in sight before, is scrolled back into sight.
    window.resize(700, 300);
    const auto startInSight = [&] {
        const QRect seen(-view->pos(), scrollArea->viewport()->size());
        return seen.contains(view->wordRect(0));
    };
    ASSERT_TRUE(QTest::qWaitFor(startInSight));
    EXPECT_GE(view->height(), 1100);
}

TEST_F(VerbariumViewTest, EndOfResizeWithoutFollowersKeepsThePicture)
{
    startWith(u"the"_s);
    const NodeLayer *last = wordLayer(u"mat"_s);
    ASSERT_NE(last, nullptr);
    while (tree().childCount(last->node()) > 0) {
        click(*last);
        last = nullptr;
        for (const Layer *layer : layers()) {
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer))
                last = nodeLayer;
        }
        ASSERT_NE(last, nullptr);
    }
    click(*last);
    ASSERT_EQ(layers().size(), 1u);
    const std::vector<const Layer *> shown = layers();
    const QSize size = view->size();
    view->refitAfterResize();
    EXPECT_EQ(layers(), shown);
    EXPECT_EQ(view->size(), size);
}

// Zoomed in, a new tree is the picture the window would show, magnified, with the start
// word in sight: zooming in makes every following tree easier to read.
TEST_F(VerbariumViewTest, NewTreeWhileZoomedIsTheWindowsPictureMagnified)
{
    startWith(u"dog"_s);
    view->setZoom(2.0);
    startWith(u"the"_s);
    const QSize area = scrollArea->maximumViewportSize();
    EXPECT_EQ(view->pictureSize(), QSizeF(area));
    EXPECT_EQ(view->size(), area * 2);
    const QPoint start = view->mapTo(scrollArea->viewport(), view->wordRect(0).center());
    EXPECT_TRUE(scrollArea->viewport()->rect().contains(start)) << start.x() << ", " << start.y();
}

// The keyboard arriving puts the focus on the start word; Right goes to its first
// follower, Up and Down to the others; Return re-roots there as a click does; Backspace
// goes back; Shift+Return restarts from the focused word.
TEST_F(VerbariumViewTest, KeyboardWalksTheTreeAndActsLikeTheMouse)
{
    startWith(u"the"_s);
    QSignalSpy focused(view, &VerbariumView::wordFocused);
    QSignalSpy contexts(view, &VerbariumView::contextsAsked);
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }));
    EXPECT_EQ(view->focusedWord(), 0);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Up);
    ASSERT_EQ(focused.size(), 3);
    EXPECT_EQ(focused[0][0].toString(), u"cat"_s);
    EXPECT_EQ(focused[1][0].toString(), u"mat"_s);
    EXPECT_EQ(focused[2][0].toString(), u"cat"_s);
    EXPECT_EQ(contexts.last()[0].value<ContextsQuery>().sequence,
              (QStringList{u"the"_s, u"cat"_s}));
    const Node cat = view->picture()->words[std::size_t(view->focusedWord())].node;
    // The end of a resize lays the same display out anew: the focus stays on its word.
    view->refitAfterResize();
    EXPECT_EQ(view->picture()->words[std::size_t(view->focusedWord())].node, cat);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(startNode(), cat);
    EXPECT_EQ(parentWords->text(), u"the "_s);
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(startNode(), tree().root());
    EXPECT_EQ(parentWords->text(), QString());
    QTest::keyClick(view, Qt::Key_Right); // the focus stayed on the start word: to cat
    QTest::keyClick(view, Qt::Key_Return, Qt::ShiftModifier);
    waitForTreeOf(u"cat"_s);
}

// One quantity, one number: how often a node's sequence occurs is the same in the
// panel, the screen reader's name and the contexts asked for; the start's is how often
// it occurs, followed or not (the last "a" ends the text), though its own count stays 1.
TEST_F(VerbariumViewTest, EveryNumberOfANodeSaysWhatItCounts)
{
    QSignalSpy focused(view, &VerbariumView::wordFocused);
    QSignalSpy contexts(view, &VerbariumView::contextsAsked);
    giveText(u"a b. a c. a"_s);
    startWith(u"a"_s);
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }));
    QAccessibleInterface *start = QAccessible::queryAccessibleInterface(view)->child(0);
    const struct
    {
        const char *name;
        int index; // in the picture's words
        QString counts;
        QString spoken;
        quint32 contextsCount;
    } rows[] = {
        {"start", 0, u"3 times · 2 branches"_s, u"a, 3 times, 2 branches"_s, 3},
        {"follower", 1, u"1 time · 1 branch"_s, u"b, 1 time, 1 branch"_s, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        view->focusWord(row.index);
        ASSERT_FALSE(focused.isEmpty());
        ASSERT_FALSE(contexts.isEmpty());
        EXPECT_EQ(focused.last()[1].toString().toStdString(), row.counts.toStdString());
        const QAccessibleInterface *item = row.index == 0 ? start : start->child(0);
        EXPECT_EQ(item->text(QAccessible::Name).toStdString(), row.spoken.toStdString());
        EXPECT_EQ(contexts.last()[0].value<ContextsQuery>().count, row.contextsCount);
    }
}

// A word whose followers the picture leaves out (below the second branching) is
// collapsed; one the picture follows is expanded; a last word is neither.
TEST_F(VerbariumViewTest, ItemsSayWhetherTheirFollowersAreShown)
{
    giveText(u"a b c. a b d. a e f. a e g."_s);
    startWith(u"a"_s);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(view)->child(0);
    QAccessibleInterface *b = a->child(0);
    QAccessibleInterface *c = b->child(0);
    ASSERT_EQ(c->text(QAccessible::Name).left(2), u"c,"_s);
    EXPECT_TRUE(b->state().expanded);
    EXPECT_FALSE(b->state().collapsed);
    EXPECT_TRUE(c->state().expandable);
    EXPECT_TRUE(c->state().collapsed);
    EXPECT_FALSE(c->state().expanded);

    giveText(u"a b"_s);
    startWith(u"a"_s);
    QAccessibleInterface *last = QAccessible::queryAccessibleInterface(view)->child(0)->child(0);
    EXPECT_FALSE(last->state().expandable);
    EXPECT_FALSE(last->state().collapsed);
}

// Words scrolled out of the window are there, but not on screen.
TEST_F(VerbariumViewTest, ItemsOutOfSightAreOffscreen)
{
    QString text;
    for (int follower = 0; follower < 30; ++follower)
        text += u"root f%1. "_s.arg(follower);
    giveText(text);
    view->setRoomForEveryWord(true); // a band for each word: taller than the window
    startWith(u"root"_s);
    scrollArea->verticalScrollBar()->setValue(0);
    int below = 0;
    while (below < int(view->picture()->words.size()) &&
           view->wordRect(below).top() <= scrollArea->viewport()->height())
        ++below;
    ASSERT_LT(below, int(view->picture()->words.size())) << "no word below the window";
    const QPoint centre = view->mapToGlobal(view->wordRect(below).center());
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *item = tree->childAt(centre.x(), centre.y());
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->state().offscreen);
    const QPoint top = view->mapToGlobal(view->wordRect(1).center()); // the first follower
    EXPECT_FALSE(tree->childAt(top.x(), top.y())->state().offscreen);
    scrollArea->ensureWidgetVisible(view, 0, 0);
    scrollArea->ensureVisible(view->wordRect(below).center().x(),
                              view->wordRect(below).center().y());
    EXPECT_FALSE(item->state().offscreen);
}

TEST_F(VerbariumViewTest, ScreenReadersReadATreeWithCountsAndLevels)
{
    startWith(u"the"_s);
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    ASSERT_EQ(tree->childCount(), 1);
    QAccessibleInterface *start = tree->child(0);
    // The start word is as often as it is followed.
    EXPECT_EQ(start->text(QAccessible::Name), u"the, 7 times, 5 branches"_s);
    ASSERT_GE(start->childCount(), 2);
    QAccessibleInterface *cat = start->child(0);
    EXPECT_EQ(cat->text(QAccessible::Name), u"cat, 4 times, 3 branches"_s);
    EXPECT_EQ(cat->role(), QAccessible::TreeItem);
    EXPECT_EQ(cat->parent(), start);
    EXPECT_EQ(start->indexOfChild(cat), 0);
    EXPECT_EQ(cat->child(0)->parent(), cat);
    // Where each item stands, as screen readers ask it beyond Qt's interface.
    auto *startItem = dynamic_cast<AccessibleTreeItem *>(start);
    auto *catItem = dynamic_cast<AccessibleTreeItem *>(cat);
    ASSERT_NE(startItem, nullptr);
    ASSERT_NE(catItem, nullptr);
    EXPECT_EQ(startItem->itemAbove(), tree);
    EXPECT_EQ(catItem->itemAbove(), start);
    EXPECT_EQ(catItem->level(), 2);
    EXPECT_EQ(catItem->positionInSet(), 1);
    EXPECT_EQ(catItem->setSize(), start->childCount());
    auto *second = dynamic_cast<AccessibleTreeItem *>(start->child(1));
    EXPECT_EQ(second->positionInSet(), 2);
    EXPECT_TRUE(start->state().expanded);
    cat->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(parentWords->text(), u"the "_s);
    EXPECT_EQ(tree->child(0)->text(QAccessible::Name), u"cat, 4 times, 3 branches"_s);
}

} // namespace
