#include "IndexCache.h"
#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumController.h"
#include "VerbariumView.h"

#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString sampleText =
    u"and the lord hath spoken. the lord hath said. and the lord said so. for the lord "
    u"is good. and the lord hath done it. then the lord spoke."_s;

// The tree's words and numbers, depth first: what makes two trees the same to a reader.
QStringList shapeOf(const VerbariumTree &tree, Node node = {})
{
    QStringList shape{u"%1:%2:%3"_s.arg(tree.word(node))
                          .arg(tree.occurrences(node))
                          .arg(tree.countOfLeaves(node))};
    for (quint32 i = 0; i < tree.childCount(node); ++i)
        shape += shapeOf(tree, tree.child(node, i));
    shape << u"]"_s;
    return shape;
}

class BothSidesViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        parentWords = new QLineEdit(&window);
        view = new VerbariumView;
        layout->addWidget(parentWords);
        layout->addWidget(view);
        controller.serve(view);
        QObject::connect(view, &VerbariumView::parentWordsChanged, parentWords,
                         &QLineEdit::setText);
        window.resize(900, 500);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        controller.beginText();
        controller.setIndex(forward);
        view->setBothSides(true);
    }

    // Waits until both sides of phrase are on screen.
    void waitForSidesOf(const QStringList &phrase)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return controller.requests().work() == TreeRequests::Work::None && view->picture() &&
                   view->picture()->bothSides() &&
                   view->picture()->tree->sequenceTo(view->picture()->tree->root()) == phrase;
        }));
    }

    // The index of the first shown word on one side that reads word.
    int shownWord(const QString &word, bool before) const
    {
        const VerbariumPicture &picture = *view->picture();
        for (std::size_t i = 1; i < picture.words.size(); ++i)
            if (picture.words[i].before == before &&
                picture.treeOf(picture.words[i]).word(picture.words[i].node) == word)
                return int(i);
        return -1;
    }

    quint32 occurrencesOfShown(int index) const
    {
        const PlacedWord &word = view->picture()->words[std::size_t(index)];
        return view->picture()->treeOf(word).occurrences(word.node);
    }

    const std::shared_ptr<const TextIndex> forward = TextIndex::build(sampleText);
    const std::shared_ptr<const TextIndex> backward = indexBefore(forward, {});
    VerbariumController controller;
    QWidget window;
    QLineEdit *parentWords = nullptr;
    VerbariumView *view = nullptr; // owned by the window
};

// A click on one side chooses its branch: both sides become the phrase trees of the
// start and the chosen words, so the other side counts exactly the occurrences through
// the click, and Back undoes the choices the last first.
TEST_F(BothSidesViewTest, AChoiceOnEitherSideLinksTheOtherToItsPhraseTree)
{
    const QStringList theLord{u"the"_s, u"lord"_s};
    view->startWithPhrase(theLord);
    waitForSidesOf(theLord);
    EXPECT_EQ(shapeOf(*view->picture()->beforeTree), shapeOf(*growTree(backward, theLord)));

    const int hath = shownWord(u"hath"_s, false);
    ASSERT_GE(hath, 0);
    const quint32 throughHath = occurrencesOfShown(hath);
    view->chooseWord(hath);
    const QStringList theLordHath{u"the"_s, u"lord"_s, u"hath"_s};
    waitForSidesOf(theLordHath);
    EXPECT_EQ(shapeOf(*view->picture()->beforeTree), shapeOf(*growTree(backward, theLordHath)));
    EXPECT_EQ(shapeOf(*view->picture()->tree), shapeOf(*growTree(forward, theLordHath)));
    EXPECT_EQ(view->picture()->beforeTree->occurrences(), throughHath);
    EXPECT_EQ(parentWords->text(), u"‹the lord› hath"_s);

    const int andBefore = shownWord(u"and"_s, true);
    ASSERT_GE(andBefore, 0);
    const quint32 throughAnd = occurrencesOfShown(andBefore);
    QSignalSpy contexts(view, &VerbariumView::contextsAsked);
    view->chooseWord(andBefore);
    const QStringList andTheLordHath{u"and"_s, u"the"_s, u"lord"_s, u"hath"_s};
    waitForSidesOf(andTheLordHath);
    EXPECT_EQ(shapeOf(*view->picture()->tree), shapeOf(*growTree(forward, andTheLordHath)));
    EXPECT_EQ(view->picture()->tree->occurrences(), throughAnd);
    EXPECT_EQ(parentWords->text(), u"and ‹the lord› hath"_s);
    // The contexts of the start are the occurrences through both choices.
    ASSERT_FALSE(contexts.isEmpty());
    EXPECT_EQ(contexts.last()[0].value<ContextsQuery>().sequence, andTheLordHath);
    EXPECT_EQ(contexts.last()[0].value<ContextsQuery>().count, 2u);

    view->goBack();
    waitForSidesOf(theLordHath);
    view->goBack();
    waitForSidesOf(theLord);
    EXPECT_EQ(parentWords->text(), QString());
}

// Left and Right cross the start word to the other side; Up and Down stay on their side;
// the panel and the screen reader's name say the side.
TEST_F(BothSidesViewTest, ArrowsCrossTheStartAndItemsNameTheirSide)
{
    view->startWithPhrase({u"lord"_s});
    waitForSidesOf({u"lord"_s});
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }));
    view->focusWord(0);
    const VerbariumPicture &picture = *view->picture();
    const auto wordAtFocus = [&] { return picture.words[std::size_t(view->focusedWord())]; };
    QSignalSpy told(view, &VerbariumView::wordFocused);

    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_TRUE(wordAtFocus().before);
    EXPECT_EQ(picture.treeOf(wordAtFocus()).word(wordAtFocus().node), u"the"_s);
    // The panel says the side too.
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0][0].toString(), u"the, before"_s);
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_TRUE(wordAtFocus().before);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->focusedWord(), 0);
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_FALSE(wordAtFocus().before);
    EXPECT_EQ(picture.treeOf(wordAtFocus()).word(wordAtFocus().node), u"hath"_s);

    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(tree, nullptr);
    QAccessibleInterface *start = tree->child(0);
    ASSERT_NE(start, nullptr);
    QStringList names;
    for (int i = 0; i < start->childCount(); ++i)
        names << start->child(i)->text(QAccessible::Name).section(u',', 0, 1);
    EXPECT_TRUE(names.contains(u"hath, after"_s)) << names.join(u" | ").toStdString();
    EXPECT_TRUE(names.contains(u"the, before"_s)) << names.join(u" | ").toStdString();
}

} // namespace
