// The cloud by keyboard, for screen readers, magnified, and with its options.
#include "CloudContentOf.h"
#include "CountedSet.h"
#include "FixedMeasurer.h"
#include "QStringPrinter.h"
#include "WordCloudView.h"
#include "WordColor.h"

#include <QAccessible>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// moon, star, sun in one row at 400 points; "the" and "and" only in the full counts.
class Cloud : public testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *scrollArea = new QScrollArea(&window);
        layout->addWidget(scrollArea);
        view = new WordCloudView;
        scrollArea->setWidget(view);
        view->setScrollView(scrollArea);
        window.resize(400, 300);
        for (const CountedSet::Entry &entry : *all)
            dictionary.insert(entry.word, int(entry.count));
        view->buildCloud(leavingOut({}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // What the app does on every resize of the window, the first showing included.
        view->scaleLayersToSize(QSizeF(window.size()));
    }

    std::shared_ptr<const CloudContent> leavingOut(const QSet<QString> &words) const
    {
        return cloudContentOf(dictionary, measurer, all, words);
    }

    QStringList shownWords() const
    {
        QStringList words;
        for (const CloudWord &word : view->words())
            words << word.word();
        return words;
    }

    const FixedMeasurer measurer{QHash<QString, QSizeF>{
        {u"moon"_s, {80, 30}}, {u"star"_s, {60, 20}}, {u"sun"_s, {50, 40}}, {u"the"_s, {40, 40}}}};
    const std::shared_ptr<const CountedSet> all = std::make_shared<const CountedSet>(
        CountedSet::fromDistinct({{u"sun"_s, 12}, {u"moon"_s, 3}, {u"the"_s, 40}, {u"star"_s, 7}}));
    WordDictionary dictionary;
    QWidget window;
    WordCloudView *view = nullptr; // owned by the scroll area
};

TEST_F(Cloud, ArrowsMoveTheFocusAndReturnChoosesTheWord)
{
    QSignalSpy focused(view, &WordCloudView::wordFocused);
    QSignalSpy chosen(view, &WordCloudView::wordChosen);
    QTest::keyClick(view, Qt::Key_Right); // no focus yet: the first word
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Left);
    ASSERT_EQ(focused.size(), 4);
    EXPECT_EQ(focused[0][0].toString(), u"moon"_s);
    EXPECT_EQ(focused[1][0].toString(), u"star"_s);
    EXPECT_EQ(focused[2][0].toString(), u"the"_s);
    EXPECT_EQ(focused[3][0].toString(), u"sun"_s);
    EXPECT_EQ(focused[3][1].toInt(), 12);
    // Where the panel goes: the word's place on screen.
    EXPECT_EQ(focused[3][2].toRect(),
              QRect(view->mapToGlobal(view->wordRect(2).topLeft()), view->wordRect(2).size()));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toString(), u"sun"_s);
}

TEST_F(Cloud, ScreenReadersReadAListOfWordsWithTheirCounts)
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 4);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), u"moon, 3 times"_s);
    EXPECT_EQ(list->child(3)->role(), QAccessible::ListItem);
    EXPECT_EQ(list->indexOfChild(list->child(2)), 2);
    EXPECT_EQ(list->child(2)->parent(), list);
    const QRect sun = list->child(2)->rect();
    EXPECT_EQ(list->childAt(sun.center().x(), sun.center().y()), list->child(2));
    list->child(1)->actionInterface()->doAction(QAccessibleActionInterface::setFocusAction());
    EXPECT_EQ(view->focusedWord(), 1);

    // A new cloud: the list reads the new words.
    view->replaceCloud(leavingOut({u"the"_s}));
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(2)->text(QAccessible::Name), u"sun, 12 times"_s);
}

TEST_F(Cloud, LeftOutWordsLeaveTheCloudAndItsSizes)
{
    const float sunSize = view->words()[2].string.fontSize;
    view->replaceCloud(leavingOut({u"the"_s, u"moon"_s}));
    EXPECT_EQ(shownWords(), (QStringList{u"star"_s, u"sun"_s}));
    EXPECT_FALSE(view->content()->words.contains(u"the"_s));
    EXPECT_EQ(view->content()->leftOutWords, 2);
    // Without "the", sun is the most frequent word: the largest size.
    EXPECT_GT(view->words()[1].string.fontSize, sunSize);
    view->replaceCloud(leavingOut({u"moon"_s, u"star"_s, u"sun"_s, u"the"_s}));
    EXPECT_TRUE(view->words().empty());
    EXPECT_EQ(view->emptyMessage(),
              u"No words to show: every word of the text is left out as a common word."_s);
}

TEST_F(Cloud, GapAndContrastApplyToTheCloudOnScreen)
{
    const QColor before = *view->words()[0].string.color;
    view->setOptions(CloudOptions{true, true});
    EXPECT_EQ(view->words()[1].position.x(), 80 + 8);
    EXPECT_EQ(view->layers()[1]->position().x(), 80 + 8);
    EXPECT_GE(contrastRatio(*view->words()[0].string.color, Qt::white), 3.0);
    view->setOptions(CloudOptions{});
    EXPECT_EQ(*view->words()[0].string.color, before); // the same colours, not drawn anew
    EXPECT_EQ(view->words()[1].position.x(), 80);
}

TEST_F(Cloud, ZoomMagnifiesAndReflowsWhileHitsAndExportKeepThePicturesPoints)
{
    const QSizeF picture = view->pictureSize();
    view->setZoom(2.0);
    // 400 pixels are 200 points now: moon and star fill the first row, sun starts the next.
    EXPECT_EQ(view->words()[2].position.x(), 0);
    EXPECT_EQ(view->pictureSize().width(), picture.width() / 2);
    const QRect sun = view->wordRect(2);
    EXPECT_EQ(view->wordAt(sun.center()), 2);
    EXPECT_EQ(sun.width(), 100);
    view->setZoom(1.0);
    EXPECT_EQ(view->pictureSize(), picture);
}

// At zoom 4 each word has a row of its own, 520 pixels in all: the focused last word
// stays in sight and keeps its ring.
TEST_F(Cloud, ZoomKeepsTheFocusedWordInSight)
{
    window.activateWindow();
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return view->hasFocus(); }));
    QTest::keyClick(view, Qt::Key_End);
    view->setZoom(4.0);
    const QRect shown = view->scrollView()->viewport()->rect();
    const QRect the = view->wordRect(3);
    EXPECT_TRUE(
        shown.contains(QRect(view->mapTo(view->parentWidget(), the.topLeft()), the.size())));
    const QImage picture = view->grab().toImage();
    EXPECT_EQ(picture.pixelColor(the.center().x(), the.top() - 1), // on the ring
              view->palette().color(QPalette::Highlight));
}

// At 160 × 70 the words take three rows, 90 high, in a room 68 high. Zoomed out, the rows
// widen as well: from 160 / 195 down, moon star over sun the is 70 high and fits, where
// the height alone would say 68 / 90.
TEST_F(Cloud, ZoomToFitCountsOnTheRowsReflowing)
{
    window.resize(160, 70);
    view->scaleLayersToSize(QSizeF(window.size()));
    ASSERT_EQ(view->scrollView()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    view->setZoom(view->fittingZoom());
    EXPECT_NEAR(view->zoom(), 160.0 / 195.0, 1e-4);
    EXPECT_EQ(view->scrollView()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->words()[2].position.x(), 0); // sun starts the second row
}

TEST(EmptyCloud, SaysTheTextHasNoLetters)
{
    WordCloudView view;
    EXPECT_EQ(view.emptyMessage(), QString()); // nothing built yet
    view.buildCloud(cloudContentOf(WordDictionary(), FixedMeasurer({})));
    EXPECT_EQ(view.emptyMessage(), u"No words to show: the text has no letters."_s);
}

} // namespace
