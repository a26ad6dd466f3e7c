#include "ShownWord.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ShownRow
{
    const char *name;
    QString word;
    QString drawn;
    QString inPanel;
};

class ShownWord : public testing::TestWithParam<ShownRow>
{
};

TEST_P(ShownWord, IsCutPastItsLimit)
{
    const ShownRow &row = GetParam();
    EXPECT_EQ(drawnWord(row.word).toStdString(), row.drawn.toStdString());
    EXPECT_EQ(panelWord(row.word).toStdString(), row.inPanel.toStdString());
}

const QString a99 = QString(99, u'a');
const QString a999 = QString(999, u'a');
const QString pair = u"\U0001D41A"_s;
// Surrogate pairs at code units 98 and 998, where the cuts fall.
const QString pairsAtTheCuts = QString(98, u'a') + pair + QString(898, u'a') + pair + u'b';

QString characters(qsizetype count)
{
    return u" (%1 characters)"_s.arg(QLocale().toString(count));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Words, ShownWord, testing::Values(
    ShownRow{"short", u"word"_s, u"word"_s, u"word"_s},
    ShownRow{"atThePanelsLimit", a99 + u'b', a99 + u'b', a99 + u'b'},
    ShownRow{"overThePanelsLimit", a99 + u"bc"_s, a99 + u"bc"_s, a99 + u'…' + characters(101)},
    ShownRow{"atTheDrawingLimit", a999 + u'b', a999 + u'b', a99 + u'…' + characters(1000)},
    ShownRow{"overTheDrawingLimit", a999 + u"bc"_s, a999 + u'…', a99 + u'…' + characters(1001)},
    // A pair the cut would split goes whole.
    ShownRow{"pairsNotSplit", pairsAtTheCuts, QString(98, u'a') + pair + QString(898, u'a') + u'…',
             QString(98, u'a') + u'…' + characters(1001)}
), [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
