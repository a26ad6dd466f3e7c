#include "WordCloudView.h"

#include "CloudContentOf.h"
#include "FixedMeasurer.h"
#include "InfoPanel.h"
#include "QStringPrinter.h"
#include "TextLayer.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A cloud window as the app builds it: a frameless scroll area filling a top-level
// window, the cloud view as its document, and an info panel.
class CloudWindow
{
public:
    CloudWindow(QSize visibleSize, const QList<WordDictionary::Entry> &entries,
                const QHash<QString, QSizeF> &sizes)
        : measurer(sizes)
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        scrollArea = new QScrollArea(&window);
        scrollArea->setFrameShape(QFrame::NoFrame);
        layout->addWidget(scrollArea);
        view = new WordCloudView;
        scrollArea->setWidget(view);
        view->setScrollView(scrollArea);
        QObject::connect(view, &WordCloudView::wordHovered, &panel,
                         [this](const QString &word, int count) {
                             panel.showWord(word, QString::number(count));
                         });
        window.resize(visibleSize);

        WordDictionary dictionary;
        for (const auto &entry : entries)
            dictionary.insert(entry.word, entry.count);
        view->buildCloud(cloudContentOf(dictionary, measurer));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        // What the app does on every resize of the window, the first showing included.
        view->scaleLayersToSize(QSizeF(window.size()));
    }

    const TextLayer *layerOf(const QString &word) const
    {
        for (const TextLayer *layer : view->layers()) {
            if (layer->name() == word)
                return layer;
        }
        ADD_FAILURE() << "no layer for " << word.toStdString();
        return nullptr;
    }

    // The middle of a point of the view (y upward) in the window's pixels.
    QPoint windowPointOfViewPoint(QPointF viewPoint) const
    {
        const QPointF widgetPoint(viewPoint.x(),
                                  view->rootLayer()->bounds().height() - viewPoint.y());
        return view->mapTo(&window, widgetPoint.toPoint());
    }

    QPoint windowPointOf(const QString &word) const
    {
        return windowPointOfViewPoint(layerOf(word)->frame().center());
    }

    QWindow *handle() const { return window.windowHandle(); }

    QWidget window;
    QScrollArea *scrollArea = nullptr; // owned by window
    WordCloudView *view = nullptr;     // owned by scrollArea
    InfoPanel panel;
    FixedMeasurer measurer;
};

const QList<WordDictionary::Entry> skyWords{{u"sun"_s, 12}, {u"moon"_s, 3}, {u"star"_s, 7}};
const QHash<QString, QSizeF> skySizes{
    {u"moon"_s, {80, 30}}, {u"star"_s, {60, 20}}, {u"sun"_s, {50, 40}}};

TEST(WordCloudView, BuildFitsTheVisibleAreaAndShowsTheWindow)
{
    CloudWindow cloud({400, 300}, skyWords, skySizes);
    EXPECT_TRUE(cloud.window.isVisible());
    EXPECT_EQ(cloud.view->size(), QSize(400, 300));
    EXPECT_EQ(cloud.scrollArea->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // One row, alphabetical, hanging from the top edge.
    ASSERT_EQ(cloud.view->layers().size(), 3u);
    EXPECT_EQ(cloud.layerOf(u"moon"_s)->position(), QPointF(0, 280));
    EXPECT_EQ(cloud.layerOf(u"star"_s)->position(), QPointF(80, 280));
    EXPECT_EQ(cloud.layerOf(u"sun"_s)->position(), QPointF(140, 280));
}

TEST(WordCloudView, HoverShowsTheWordAndItsCountAndGapsChangeNothing)
{
    CloudWindow cloud({400, 300}, skyWords, skySizes);
    cloud.view->setMouseTracking(true);

    QTest::mouseMove(cloud.handle(), cloud.windowPointOf(u"sun"_s));
    EXPECT_TRUE(cloud.panel.isVisible());
    EXPECT_EQ(cloud.panel.wordField()->text(), u"sun"_s);
    EXPECT_EQ(cloud.panel.countField()->text(), u"12"_s);

    // Beside the short "star", below the first row, and past the last word.
    for (const QPointF gap : {QPointF(100, 265), QPointF(10, 100), QPointF(300, 280)}) {
        QTest::mouseMove(cloud.handle(), cloud.windowPointOfViewPoint(gap));
        EXPECT_EQ(cloud.panel.wordField()->text(), u"sun"_s) << gap.x() << "," << gap.y();
        EXPECT_EQ(cloud.panel.countField()->text(), u"12"_s);
    }

    QTest::mouseMove(cloud.handle(), cloud.windowPointOf(u"moon"_s));
    EXPECT_EQ(cloud.panel.wordField()->text(), u"moon"_s);
    EXPECT_EQ(cloud.panel.countField()->text(), u"3"_s);
}

TEST(WordCloudView, HoverDoesNothingWhileTrackingIsOff)
{
    CloudWindow cloud({400, 300}, skyWords, skySizes);
    cloud.view->setMouseTracking(true);
    cloud.view->setMouseTracking(false);
    const QString before = cloud.panel.wordField()->text();
    QTest::mouseMove(cloud.handle(), cloud.windowPointOf(u"sun"_s));
    EXPECT_FALSE(cloud.panel.isVisible());
    EXPECT_EQ(cloud.panel.wordField()->text(), before);
}

struct ClickRow
{
    const char *name;
    Qt::MouseButton button;
    QString target; // a word, or empty for a gap
    QStringList chosen;
};

class WordCloudViewClick : public testing::TestWithParam<ClickRow>
{
};

TEST_P(WordCloudViewClick, ChoosesOnlyAWordUnderTheLeftButton)
{
    const ClickRow &row = GetParam();
    CloudWindow cloud({400, 300}, skyWords, skySizes);
    QSignalSpy chosen(cloud.view, &WordCloudView::wordChosen);
    const QPoint point = row.target.isEmpty() ? cloud.windowPointOfViewPoint({100, 100})
                                              : cloud.windowPointOf(row.target);
    QTest::mouseClick(cloud.handle(), row.button, {}, point);
    QStringList words;
    for (const QList<QVariant> &arguments : chosen)
        words << arguments.at(0).toString();
    EXPECT_EQ(words, row.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cloud, WordCloudViewClick,
    testing::Values(ClickRow{"leftOverWord", Qt::LeftButton, u"star"_s, {u"star"_s}},
                    ClickRow{"leftOverGap", Qt::LeftButton, QString(), {}},
                    ClickRow{"rightOverWord", Qt::RightButton, u"star"_s, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// Sixty words, five to a row of 40 points at width 300: 480 points of rows.
QList<WordDictionary::Entry> manyWords()
{
    QList<WordDictionary::Entry> entries;
    for (int i = 0; i < 60; ++i)
        entries.append({u"w%1"_s.arg(i, 2, 10, QChar(u'0')), i + 1});
    return entries;
}

TEST(WordCloudView, TallCloudScrollsAndPointingFindsTheWordInAnyScrollPosition)
{
    CloudWindow cloud({300, 200}, manyWords(), {}); // every word 10 × 10 by default
    // 60 words of 10 points in rows narrower than 245: 24 to a row, 3 rows of 10.
    EXPECT_EQ(cloud.view->height(), 200);

    // Five words to a row: twelve rows of 40.125, 481.5 points in all.
    constexpr qreal rowHeight = 40.125;
    CloudWindow tall({300, 200}, manyWords(), [] {
        QHash<QString, QSizeF> sizes;
        for (const auto &entry : manyWords())
            sizes.insert(entry.word, QSizeF(48, rowHeight));
        return sizes;
    }());
    EXPECT_EQ(tall.scrollArea->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The widget takes whole pixels; the rows keep their exact height from its top.
    EXPECT_EQ(tall.view->height(), 482);
    EXPECT_EQ(tall.view->rootLayer()->bounds().height(), 481.5);

    tall.view->setMouseTracking(true);
    QSignalSpy chosen(tall.view, &WordCloudView::wordChosen);
    QScrollBar *scrollBar = tall.scrollArea->verticalScrollBar();
    for (const int scrollValue : {0, scrollBar->maximum() / 2, scrollBar->maximum()}) {
        scrollBar->setValue(scrollValue);
        // The first word of the row a little below the middle of the visible area.
        const QPoint visibleMiddle =
            tall.scrollArea->viewport()->mapTo(&tall.window, QPoint(5, 110));
        const int widgetY = tall.view->mapFrom(&tall.window, visibleMiddle).y();
        const int row = static_cast<int>(widgetY / rowHeight);
        const QString expected = u"w%1"_s.arg(row * 5, 2, 10, QChar(u'0'));

        // Pointer events only come with movement, so leave the spot and return.
        QTest::mouseMove(tall.handle(), visibleMiddle + QPoint(0, 20));
        QTest::mouseMove(tall.handle(), visibleMiddle);
        EXPECT_EQ(tall.panel.wordField()->text(), expected) << "scrolled to " << scrollValue;
        QTest::mouseClick(tall.handle(), Qt::LeftButton, {}, visibleMiddle);
        ASSERT_FALSE(chosen.isEmpty());
        EXPECT_EQ(chosen.takeLast().at(0).toString(), expected) << "scrolled to " << scrollValue;
    }
}

TEST(WordCloudView, RefitAtANewWidthReflowsAndDropsTheScroller)
{
    QHash<QString, QSizeF> sizes;
    for (const auto &entry : manyWords())
        sizes.insert(entry.word, QSizeF(48, 40));
    CloudWindow cloud({300, 200}, manyWords(), sizes);
    ASSERT_EQ(cloud.scrollArea->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // 1500 points: 30 words to a row, two rows of 40 fit in 200.
    cloud.window.resize(1500, 200);
    cloud.view->scaleLayersToSize(QSizeF(1500, 200));
    EXPECT_EQ(cloud.scrollArea->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(cloud.view->size(), cloud.scrollArea->viewport()->size());
    EXPECT_EQ(cloud.layerOf(u"w29"_s)->position(), QPointF(29 * 48, 180));
    EXPECT_EQ(cloud.layerOf(u"w30"_s)->position(), QPointF(0, 140));
}

TEST(WordCloudView, RebuildReplacesEveryLayer)
{
    CloudWindow cloud({400, 300}, skyWords, skySizes);
    cloud.view->setMouseTracking(true);
    WordDictionary fruit;
    fruit.insert(u"pear"_s, 2);
    fruit.insert(u"fig"_s, 5);
    cloud.view->buildCloud(cloudContentOf(fruit, cloud.measurer));
    QStringList names;
    for (const TextLayer *layer : cloud.view->layers())
        names << layer->name();
    EXPECT_EQ(names, (QStringList{u"fig"_s, u"pear"_s}));
    EXPECT_EQ(cloud.view->rootLayer()->sublayers().size(), 2u);
    QTest::mouseMove(cloud.handle(), cloud.windowPointOf(u"fig"_s));
    EXPECT_EQ(cloud.panel.countField()->text(), u"5"_s);
}

} // namespace
