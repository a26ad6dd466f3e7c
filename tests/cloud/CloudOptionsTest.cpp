#include "CloudNavigation.h"
#include "CommonWords.h"
#include "QStringPrinter.h"
#include "WordCloud.h"
#include "WordColor.h"

#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// Draws from a seeded generator, as rand() would, but the same on every machine.
class SeededSource : public RandomSource
{
public:
    int draw() override { return int(m_generator() >> 1); }

private:
    std::mt19937 m_generator{20240531};
};

TEST(ContrastColours, EveryDrawnColourStandsOutThreeToOneAndKeepsItsHue)
{
    SeededSource random;
    for (int i = 0; i < 5000; ++i) {
        const QColor drawn = drawWordColor(random).toQColor();
        const QColor shown = withContrastOnWhite(drawn);
        // As it is written out: 8-bit components.
        const QColor written(shown.name());
        ASSERT_GE(contrastRatio(written, Qt::white), 3.0) << drawn.name().toStdString();
        EXPECT_LE(shown.red(), drawn.red());
        EXPECT_LE(shown.green(), drawn.green());
        EXPECT_LE(shown.blue(), drawn.blue());
        if (drawn.hsvSaturation() > 40 && shown.value() > 40) {
            EXPECT_NEAR(shown.hsvHue(), drawn.hsvHue(), 3) << drawn.name().toStdString();
        }
    }
}

struct ContrastRow
{
    const char *name;
    QColor drawn;
    bool changed;
};

void PrintTo(const ContrastRow &row, std::ostream *os)
{
    *os << row.name;
}

class ContrastRows : public testing::TestWithParam<ContrastRow>
{
};

TEST_P(ContrastRows, DarkenOnlyWhereNeeded)
{
    const ContrastRow &row = GetParam();
    const QColor shown = withContrastOnWhite(row.drawn);
    EXPECT_EQ(shown != row.drawn, row.changed);
    EXPECT_GE(contrastRatio(shown, Qt::white), 3.0);
    // Darkened no further than needed: one step lighter would fail.
    if (row.changed) {
        EXPECT_LT(contrastRatio(shown.lighter(103), Qt::white), 3.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Colours, ContrastRows,
                         testing::Values(ContrastRow{"paleGreen", QColor(0x9a, 0xe5, 0x8c), true},
                                         ContrastRow{"yellow", QColor(0xe6, 0xd8, 0x1a), true},
                                         ContrastRow{"alreadyDark", QColor(0x1a, 0x33, 0x80),
                                                     false},
                                         ContrastRow{"black", QColor(Qt::black), false}),
                         [](const auto &info) { return std::string(info.param.name); });

struct ListRow
{
    const char *name;
    QString text;
    QSet<QString> words;
};

void PrintTo(const ListRow &row, std::ostream *os)
{
    *os << row.name;
}

class WordLists : public testing::TestWithParam<ListRow>
{
};

TEST_P(WordLists, AreWordsSeparatedByWhiteSpaceLowerCased)
{
    EXPECT_EQ(parseWordList(GetParam().text), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, WordLists,
    testing::Values(ListRow{"oneALine", u"the\nand\r\nof\n"_s, {u"the"_s, u"and"_s, u"of"_s}},
                    ListRow{"spacesAndTabs", u"  the and\tof  "_s, {u"the"_s, u"and"_s, u"of"_s}},
                    ListRow{"comments", u"# the\nand # of\n  #x"_s, {u"and"_s, u"#"_s, u"of"_s}},
                    ListRow{"upperCase", u"The ΣΟΦΊΑ"_s, {u"the"_s, u"σοφία"_s}},
                    ListRow{"empty", u"\n\n"_s, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CommonWords, ListsComeFromTheBuildForTheLanguagesPeopleBring)
{
    QStringList codes;
    for (const CommonWordLanguage &language : commonWordLanguages())
        codes << language.code;
    for (const QString &code : {u"en"_s, u"de"_s, u"fr"_s, u"es"_s, u"it"_s, u"ru"_s})
        EXPECT_TRUE(codes.contains(code)) << code.toStdString();
    EXPECT_TRUE(commonWordsOf(u"en"_s).contains(u"the"_s));
    EXPECT_TRUE(commonWordsOf(u"de"_s).contains(u"und"_s));
    EXPECT_TRUE(commonWordsOf(u"ru"_s).contains(u"и"_s));
    EXPECT_TRUE(commonWordsOf(u"xx"_s).isEmpty());
    EXPECT_TRUE(commonWordsOf(u"../en"_s).isEmpty());
}

// The limits of the dictionary apply to what is left: 201 words of one count lose one to
// the cap, but none once one of them is left out.
TEST(CommonWords, LeftOutWordsMakeRoomUnderTheCap)
{
    std::vector<CountedSet::Entry> entries;
    for (int i = 0; i < 201; ++i)
        entries.push_back({u"w"_s + QString::number(i), 1});
    const CountedSet all = CountedSet::fromDistinct(entries);
    EXPECT_EQ(WordCloud(all).wordCloudElements().size(), 200);
    const WordDictionary rest = WordCloud(withoutWords(all, {u"w7"_s})).wordCloudElements();
    EXPECT_EQ(rest.size(), 200);
    EXPECT_FALSE(rest.contains(u"w7"_s));
    EXPECT_TRUE(rest.contains(u"w200"_s));
}

// Two rows: a b c at y 100, d e at y 60, with the middles a 15, b 50, c 80, d 25, e 80.
std::vector<CloudWord> twoRows()
{
    const auto word = [](qreal x, qreal y, qreal width) {
        CloudWord placed;
        placed.position = QPointF(x, y);
        placed.size = QSizeF(width, 20);
        return placed;
    };
    return {word(0, 100, 30), word(30, 100, 40), word(70, 100, 20), word(0, 60, 50),
            word(50, 60, 60)};
}

struct StepRow
{
    const char *name;
    qsizetype from;
    CloudStep step;
    qsizetype to;
};

void PrintTo(const StepRow &row, std::ostream *os)
{
    *os << row.name;
}

class CloudSteps : public testing::TestWithParam<StepRow>
{
};

TEST_P(CloudSteps, FollowTheReadingOrder)
{
    EXPECT_EQ(stepInCloud(twoRows(), GetParam().from, GetParam().step), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Keys, CloudSteps,
                         testing::Values(StepRow{"nextWrapsToTheNextRow", 2, CloudStep::Next, 3},
                                         StepRow{"previousWrapsBack", 3, CloudStep::Previous, 2},
                                         StepRow{"nextStopsAtTheEnd", 4, CloudStep::Next, 4},
                                         StepRow{"downToTheNearestMiddle", 1, CloudStep::Down, 3},
                                         StepRow{"upToTheNearestMiddle", 4, CloudStep::Up, 2},
                                         StepRow{"upFromTheTopRowStays", 0, CloudStep::Up, 0},
                                         StepRow{"downFromTheLastRowStays", 3, CloudStep::Down, 3},
                                         StepRow{"noFocusYetStartsAtTheFirst", -1, CloudStep::Down,
                                                 0},
                                         StepRow{"lastWord", 0, CloudStep::Last, 4}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CloudWordAt, FindsTheWordUnderAPointAndNoneOverAGap)
{
    const std::vector<CloudWord> words = twoRows();
    EXPECT_EQ(cloudWordAt(words, QPointF(30, 100)), 1); // the border of a and b
    EXPECT_EQ(cloudWordAt(words, QPointF(95, 100)), -1);
    EXPECT_EQ(cloudWordAt(words, QPointF(10, 80)), -1); // between the rows
    EXPECT_EQ(stepInCloud({}, -1, CloudStep::Next), -1);
}

} // namespace
