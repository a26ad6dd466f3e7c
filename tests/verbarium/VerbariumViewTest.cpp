// Real mouse events go through the window, which finds the widget under the pointer,
// so the scroll area's mapping is part of what is tested.
#define QTEST_QPA_MOUSE_HANDLING

#include "VerbariumView.h"

#include "InfoPanel.h"
#include "NodeLayer.h"
#include "ViewCoordinates.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
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
        view->setInputField(inputField);
        view->setParentWords(parentWords);
        view->setScrollView(scrollArea);
        view->setWordInfoPanel(&panel);
        window.resize(400, 400);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        view->setText(sampleText);
    }

    // The first layer of the picture showing word.
    const NodeLayer *wordLayer(const QString &word) const
    {
        for (Layer *layer : view->layers()) {
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer);
                nodeLayer && nodeLayer->name() == word)
                return nodeLayer;
        }
        return nullptr;
    }

    // Scrolls the layer-coordinate point into sight and returns it in the viewport.
    QPoint viewportPointFor(QPointF layerPoint)
    {
        const QPoint inView = ViewCoordinates(view->height()).toDevice(layerPoint).toPoint();
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

    QWidget window;
    InfoPanel panel;
    QLineEdit *inputField = nullptr;
    QLineEdit *parentWords = nullptr;
    QScrollArea *scrollArea = nullptr;
    VerbariumView *view = nullptr; // owned by the scroll area
};

TEST_F(VerbariumViewTest, StartShowsTheTreeFromItsRoot)
{
    view->startWithWord(u"the"_s);
    ASSERT_TRUE(view->root());
    EXPECT_EQ(view->startNode(), view->root());
    ASSERT_NE(wordLayer(u"cat"_s), nullptr);
    EXPECT_EQ(wordLayer(u"the"_s)->node(), view->root().get());
    EXPECT_EQ(wordLayer(u"the"_s)->position(), QPointF(20, 450));
    EXPECT_TRUE(view->hasMouseTracking());
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

// The picture is taller than the viewport: whichever part is in sight, a click lands
// on the word under the pointer.
TEST_P(ScrolledHitTest, ClickFindsTheWordUnderThePointer)
{
    view->startWithWord(u"the"_s);
    ASSERT_GT(view->height(), scrollArea->viewport()->height());
    // "cat" sits in the top band, "dog" in the bottom one.
    const QString target = GetParam().scrollToEnd ? u"dog"_s : u"cat"_s;
    const NodeLayer *layer = wordLayer(target);
    ASSERT_NE(layer, nullptr);
    const std::shared_ptr<Node> expected = layer->sharedNode();

    click(*layer);
    EXPECT_NE(scrollArea->verticalScrollBar()->value(),
              GetParam().scrollToEnd ? 0 : scrollArea->verticalScrollBar()->maximum());
    EXPECT_EQ(view->startNode(), expected);
    EXPECT_EQ(parentWords->text(), u"the "_s);
}

INSTANTIATE_TEST_SUITE_P(VerbariumView, ScrolledHitTest,
                         testing::Values(ScrollRow{"Top", false}, ScrollRow{"Bottom", true}),
                         [](const auto &info) { return info.param.name; });

TEST_F(VerbariumViewTest, ClickReRootsAndShowsThePathFromTheRoot)
{
    view->startWithWord(u"the"_s);
    const NodeLayer *sat = wordLayer(u"sat"_s); // the → cat → sat
    ASSERT_NE(sat, nullptr);
    ASSERT_EQ(sat->node()->parent()->word(), u"cat"_s);
    click(*sat);
    EXPECT_EQ(parentWords->text(), u"the cat "_s);
    EXPECT_EQ(view->startNode()->word(), u"sat"_s);
    EXPECT_EQ(wordLayer(u"sat"_s)->position(), QPointF(20, view->height() * 0.5));

    // The path is rebuilt from the tree's root, not from the shown start.
    const NodeLayer *on = wordLayer(u"on"_s);
    ASSERT_NE(on, nullptr);
    click(*on);
    EXPECT_EQ(parentWords->text(), u"the cat sat "_s);

    view->startAtStartNode();
    EXPECT_EQ(parentWords->text(), QString());
    EXPECT_EQ(view->startNode(), view->root());

    click(*wordLayer(u"the"_s));
    EXPECT_EQ(parentWords->text(), QString());
    EXPECT_EQ(view->startNode(), view->root());
}

TEST_F(VerbariumViewTest, RightClickRestartsOverTheWholeText)
{
    view->startWithWord(u"the"_s);
    const NodeLayer *ran = wordLayer(u"ran"_s); // the → cat → ran: only "home" follows here
    ASSERT_NE(ran, nullptr);
    click(*ran, Qt::RightButton);
    ASSERT_EQ(view->root()->word(), u"ran"_s);
    QStringList followers;
    for (const auto &child : view->root()->children())
        followers.append(child->word());
    EXPECT_EQ(followers, (QStringList{u"home"_s, u"to"_s}));
    EXPECT_EQ(view->startNode(), view->root());
}

TEST_F(VerbariumViewTest, HoverShowsTheCountOfLeaves)
{
    view->startWithWord(u"the"_s);
    const NodeLayer *cat = wordLayer(u"cat"_s);
    ASSERT_NE(cat, nullptr);
    ASSERT_NE(cat->node()->count(), cat->node()->countOfLeaves());
    hover(*cat);
    EXPECT_EQ(panel.wordField()->text(), u"cat"_s);
    EXPECT_EQ(panel.countField()->text(), QString::number(cat->node()->countOfLeaves()));

    // Off every word the panel keeps showing the last one.
    QTest::mouseMove(scrollArea->viewport(), viewportPointFor(QPointF(view->width() - 2.0, 2.0)));
    EXPECT_EQ(panel.wordField()->text(), u"cat"_s);
    hover(*wordLayer(u"dog"_s));
    EXPECT_EQ(panel.wordField()->text(), u"dog"_s);
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
    view->startWithWord(u"the"_s);
    const NodeLayer *cat = wordLayer(u"cat"_s);
    ASSERT_NE(cat, nullptr);
    click(*cat);
    const std::vector<Layer *> before = view->layers();
    const QString path = parentWords->text();

    QPointF target(view->width() - 2.0, 2.0);
    if (GetParam().onCurve) {
        const auto curve = std::find_if(before.begin(), before.end(), [](const Layer *layer) {
            return layer->name() == u"curve.layer"_s;
        });
        ASSERT_NE(curve, before.end());
        target = (*curve)->frame().center();
    }
    const QString expectedName = GetParam().onCurve ? u"curve.layer"_s : u"mainLayer"_s;
    ASSERT_EQ(view->rootLayer()->hitTest(target)->name(), expectedName);

    QTest::mouseClick(scrollArea->viewport(), GetParam().button, {}, viewportPointFor(target));
    EXPECT_EQ(view->layers(), before);
    EXPECT_EQ(parentWords->text(), path);
    EXPECT_EQ(view->root()->word(), u"the"_s);
}

INSTANTIATE_TEST_SUITE_P(VerbariumView, IgnoredClick,
                         testing::Values(IgnoredRow{"LeftOnBackground", Qt::LeftButton, false},
                                         IgnoredRow{"RightOnBackground", Qt::RightButton, false},
                                         IgnoredRow{"LeftOnCurve", Qt::LeftButton, true},
                                         IgnoredRow{"RightOnCurve", Qt::RightButton, true}),
                         [](const auto &info) { return info.param.name; });

TEST_F(VerbariumViewTest, StartFieldLowerCasesWithoutTrimming)
{
    inputField->setText(u"The"_s);
    view->start();
    EXPECT_EQ(view->root()->word(), u"the"_s);
    EXPECT_FALSE(view->root()->children().empty());

    inputField->setText(u"the "_s);
    view->start();
    EXPECT_EQ(view->root()->word(), u"the "_s);
    EXPECT_TRUE(view->root()->children().empty());
}

// A start word without followers leaves the old picture up, and its layers still walk
// their own tree, even after the text it grew from has been replaced (run under ASan).
TEST_F(VerbariumViewTest, StalePictureStaysUsable)
{
    view->startWithWord(u"the"_s);
    const std::vector<Layer *> shown = view->layers();
    view->setText(u"something else entirely"_s);
    view->startWithWord(u"nothing"_s);
    EXPECT_EQ(view->root()->word(), u"nothing"_s);
    EXPECT_EQ(view->startNode(), view->root());
    EXPECT_EQ(view->layers(), shown);
    // The start node now has no followers, so the end of a resize leaves the picture.
    view->viewDidEndLiveResize();
    EXPECT_EQ(view->layers(), shown);

    const NodeLayer *ran = wordLayer(u"ran"_s);
    ASSERT_NE(ran, nullptr);
    hover(*ran);
    EXPECT_EQ(panel.wordField()->text(), u"ran"_s);
    click(*ran);
    EXPECT_EQ(parentWords->text(), u"the cat "_s);
    EXPECT_EQ(view->startNode()->word(), u"ran"_s);
    // The clicked branch unfolds from the old text: ran home . a dog ...
    const NodeLayer *home = wordLayer(u"home"_s);
    ASSERT_NE(home, nullptr);
    click(*home);
    EXPECT_EQ(parentWords->text(), u"the cat ran "_s);
    ASSERT_NE(wordLayer(u"dog"_s), nullptr);
}

TEST_F(VerbariumViewTest, EndOfWindowResizeRedisplaysInTheLargerArea)
{
    view->startWithWord(u"the"_s);
    window.resize(700, 1200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->height() >= 1100; }));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return wordLayer(u"the"_s)->position().y() == view->height() * 0.5; }));
    EXPECT_GE(view->size().width(), scrollArea->viewport()->width());
}

TEST_F(VerbariumViewTest, EndOfResizeWithoutFollowersKeepsThePicture)
{
    view->startWithWord(u"the"_s);
    const NodeLayer *mat = wordLayer(u"mat"_s);
    ASSERT_NE(mat, nullptr);
    const NodeLayer *last = mat;
    while (!last->node()->children().empty()) {
        click(*last);
        last = nullptr;
        for (Layer *layer : view->layers()) {
            if (auto *nodeLayer = dynamic_cast<const NodeLayer *>(layer))
                last = nodeLayer;
        }
        ASSERT_NE(last, nullptr);
    }
    click(*last);
    ASSERT_EQ(view->layers().size(), 1u);
    const std::vector<Layer *> shown = view->layers();
    const QSize size = view->size();
    view->viewDidEndLiveResize();
    EXPECT_EQ(view->layers(), shown);
    EXPECT_EQ(view->size(), size);
}

} // namespace
