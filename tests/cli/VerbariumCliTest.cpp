#include "CliRun.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointF>
#include <QtMath>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject displayOf(const QStringList &arguments, const QByteArray &input)
{
    const CliRun run =
        runCommand(u"verbarium"_s, arguments + QStringList{u"--format"_s, u"json"_s}, input);
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    return QJsonDocument::fromJson(run.out).object();
}

const QByteArray sampleText = "A b. A c d. A b.";

TEST(VerbariumCommand, LaysOutTheTreeFromItsRoot)
{
    const QJsonObject display = displayOf(
        {u"--word"_s, u"A"_s, u"--width"_s, u"400"_s, u"--height"_s, u"200"_s}, sampleText);
    EXPECT_EQ(display[u"maxCount"_s].toDouble(), 2.0);
    EXPECT_GE(display[u"width"_s].toDouble(), 400.0);
    EXPECT_GE(display[u"height"_s].toDouble(), 200.0);

    const QJsonArray words = display[u"words"_s].toArray();
    QStringList order;
    for (const auto &word : words)
        order.append(word[u"word"_s].toString());
    // Depth first from the root "a": b (twice) and its walk, then c and its walk.
    ASSERT_GE(order.size(), 3);
    EXPECT_EQ(order.mid(0, 2), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_TRUE(order.contains(u"c"_s));

    const QJsonObject start = words[0].toObject();
    EXPECT_EQ(start[u"x"_s].toDouble(), 20.0);
    EXPECT_EQ(start[u"y"_s].toDouble(), 100.0);
    EXPECT_EQ(start[u"fontSize"_s].toDouble(), 30.0);
    EXPECT_EQ(start[u"countOfLeaves"_s].toInt(), 2);
    // The root's count stays 1; how often it occurs is said beside it.
    EXPECT_EQ(start[u"count"_s].toInt(), 1);
    EXPECT_EQ(start[u"occurrences"_s].toInt(), 3);

    // The root branches: each curve runs from the end of "a" to one follower's left end.
    const QJsonArray curves = display[u"curves"_s].toArray();
    ASSERT_EQ(curves.size(), 2);
    const double startEnd = start[u"x"_s].toDouble() + start[u"width"_s].toDouble();
    QStringList followers;
    for (const auto &value : curves) {
        const QJsonObject curve = value.toObject();
        EXPECT_FLOAT_EQ(curve[u"x"_s].toDouble(), startEnd);
        EXPECT_EQ(curve[u"y"_s].toDouble(), 100.0);
        EXPECT_EQ(curve[u"width"_s].toDouble(), 30.0);
        const QPointF end(startEnd + 30.0, 100.0 + curve[u"height"_s].toDouble());
        for (const auto &word : words) {
            if (qFuzzyCompare(word[u"x"_s].toDouble(), end.x()) &&
                word[u"y"_s].toDouble() == end.y())
                followers.append(word[u"word"_s].toString());
        }
    }
    EXPECT_EQ(followers, (QStringList{u"b"_s, u"c"_s}));
    // b takes the top band (rising curve), c the bottom one (falling, negative height).
    EXPECT_EQ(curves[0][u"height"_s].toDouble(), 50.0);
    EXPECT_EQ(curves[1][u"height"_s].toDouble(), -50.0);
    EXPECT_EQ(curves[1][u"start"_s].toArray(), (QJsonArray{0.0, 50.0}));
    EXPECT_EQ(curves[1][u"end"_s].toArray(), (QJsonArray{30.0, 0.0}));
}

TEST(VerbariumCommand, WordWithoutFollowersGivesTheStartWordAlone)
{
    // The only occurrence is the last token: nothing follows it.
    const QJsonObject display = displayOf({u"--word"_s, u"two"_s}, "One. Two");
    EXPECT_EQ(display[u"width"_s].toDouble(), 800.0);
    EXPECT_EQ(display[u"height"_s].toDouble(), 600.0);
    const QJsonArray words = display[u"words"_s].toArray();
    ASSERT_EQ(words.size(), 1);
    EXPECT_EQ(words[0][u"word"_s].toString(), u"two"_s);
    EXPECT_EQ(words[0][u"y"_s].toDouble(), 300.0);
    EXPECT_TRUE(display[u"curves"_s].toArray().isEmpty());
}

TEST(VerbariumCommand, PicturesHaveTheViewsSize)
{
    const QJsonObject display = displayOf(
        {u"--word"_s, u"a"_s, u"--width"_s, u"300"_s, u"--height"_s, u"150"_s}, sampleText);
    const CliRun png = runCommand(u"verbarium"_s,
                                  {u"--word"_s, u"a"_s, u"--width"_s, u"300"_s, u"--height"_s,
                                   u"150"_s, u"--format"_s, u"png"_s},
                                  sampleText);
    ASSERT_EQ(png.exitCode, 0);
    const QImage image = QImage::fromData(png.out, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), qCeil(display[u"width"_s].toDouble()));
    EXPECT_EQ(image.height(), qCeil(display[u"height"_s].toDouble()));

    const CliRun svg =
        runCommand(u"verbarium"_s, {u"--word"_s, u"a"_s, u"--format"_s, u"svg"_s}, sampleText);
    ASSERT_EQ(svg.exitCode, 0);
    EXPECT_TRUE(svg.out.contains("<svg"));
}

// Twelve followers of "a" in a view 100 points high: in bands of a twelfth of it
// each, the words print over each other, unless the layout makes room for them.
TEST(VerbariumCommand, SpreadLayoutMakesRoomForEveryWord)
{
    QByteArray crowded;
    for (int i = 0; i < 12; ++i)
        crowded += "a b" + QByteArray::number(i) + ". ";
    const QStringList size{u"--word"_s, u"a"_s, u"--width"_s, u"300"_s, u"--height"_s, u"100"_s};
    const QJsonObject bands = displayOf(size, crowded);
    const QJsonObject spread = displayOf(size + QStringList{u"--layout"_s, u"spread"_s}, crowded);
    EXPECT_EQ(displayOf(size + QStringList{u"--layout"_s, u"default"_s}, crowded), bands);

    const QJsonArray words = spread[u"words"_s].toArray();
    ASSERT_EQ(words.size(), bands[u"words"_s].toArray().size());
    // The followers stand in one column, each with its run of "." after it.
    const QJsonValue followersX = words[1][u"x"_s];
    double followerHeights = 0.0;
    for (qsizetype i = 1; i < words.size(); ++i) {
        EXPECT_EQ(words[i][u"x"_s], bands[u"words"_s][i][u"x"_s]);
        if (words[i][u"x"_s] == followersX)
            followerHeights += words[i][u"height"_s].toDouble();
    }
    EXPECT_LT(bands[u"height"_s].toDouble(), followerHeights);
    EXPECT_GE(spread[u"height"_s].toDouble(), followerHeights);
}

// The words before "b" are drawn mirrored: the root at the right, as far from the edge as
// a tree after a word stands from the left, and every curve running from a word's right
// end to the next word's left end, towards the root.
TEST(VerbariumCommand, WordsBeforeAreDrawnMirrored)
{
    const QStringList size{u"--word"_s, u"b"_s, u"--width"_s, u"400"_s, u"--height"_s, u"200"_s};
    const QByteArray text = "a b. c b. d e b f.";
    const QJsonObject after = displayOf(size, text);
    const QJsonObject before = displayOf(size + QStringList{u"--before"_s}, text);

    const QJsonArray words = before[u"words"_s].toArray();
    ASSERT_GT(words.size(), 3);
    const QJsonObject root = words[0].toObject();
    EXPECT_EQ(root[u"word"_s].toString(), u"b"_s);
    const double rootLeft = root[u"x"_s].toDouble();
    EXPECT_FLOAT_EQ(before[u"width"_s].toDouble() - (rootLeft + root[u"width"_s].toDouble()),
                    after[u"words"_s][0][u"x"_s].toDouble());
    const auto startsAt = [&words](double x) {
        return std::any_of(words.begin(), words.end(), [x](const QJsonValue &word) {
            return qFuzzyCompare(word[u"x"_s].toDouble(), x);
        });
    };
    const auto endsAt = [&words](double x) {
        return std::any_of(words.begin(), words.end(), [x](const QJsonValue &word) {
            return qFuzzyCompare(word[u"x"_s].toDouble() + word[u"width"_s].toDouble(), x);
        });
    };
    for (qsizetype i = 1; i < words.size(); ++i)
        EXPECT_LT(words[i][u"x"_s].toDouble() + words[i][u"width"_s].toDouble(), rootLeft);

    const QJsonArray curves = before[u"curves"_s].toArray();
    int intoTheRoot = 0;
    for (const QJsonValue &curve : curves) {
        const double from = curve[u"x"_s].toDouble() + curve[u"start"_s][0].toDouble();
        const double to = curve[u"x"_s].toDouble() + curve[u"end"_s][0].toDouble();
        EXPECT_LT(from, to);
        EXPECT_TRUE(endsAt(from)) << from;
        EXPECT_TRUE(startsAt(to)) << to;
        intoTheRoot += qFuzzyCompare(to, rootLeft) ? 1 : 0;
    }
    EXPECT_EQ(intoTheRoot, 3); // "a", "c" and "e"
}

// Both sides: the trees as tree writes them, and one start word with the words before
// at its left and the words after at its right, each curve from left to right.
TEST(VerbariumCommand, BothSidesShareTheStartWord)
{
    const QByteArray text = "a b c. d b c. e b f. b g";
    const CliRun run = runCommand(u"verbarium"_s, {u"--word"_s, u"b"_s, u"--both"_s}, text);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject both = QJsonDocument::fromJson(run.out).object();
    const auto treeOf = [&text](const QStringList &arguments) {
        return QJsonDocument::fromJson(runCommand(u"tree"_s, arguments, text).out).object();
    };
    EXPECT_EQ(both[u"after"_s].toObject(), treeOf({u"--word"_s, u"b"_s}));
    EXPECT_EQ(both[u"before"_s].toObject(), treeOf({u"--word"_s, u"b"_s, u"--before"_s}));

    const QJsonArray words = both[u"words"_s].toArray();
    ASSERT_GT(words.size(), 5);
    EXPECT_EQ(words[0][u"side"_s].toString(), u"start"_s);
    const double startLeft = words[0][u"x"_s].toDouble();
    const double startRight = startLeft + words[0][u"width"_s].toDouble();
    QStringList sides;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString side = words[i][u"side"_s].toString();
        sides << side;
        if (side == u"before")
            EXPECT_LT(words[i][u"x"_s].toDouble() + words[i][u"width"_s].toDouble(), startLeft);
        else
            EXPECT_GT(words[i][u"x"_s].toDouble(), startRight);
    }
    // Each side draws what it would alone, the shared start word once for both.
    const QStringList start{u"--word"_s, u"b"_s};
    EXPECT_EQ(sides.count(u"before"_s) + 1,
              displayOf(start + QStringList{u"--before"_s}, text)[u"words"_s].toArray().size());
    EXPECT_EQ(sides.count(u"after"_s) + 1, displayOf(start, text)[u"words"_s].toArray().size());
    for (const QJsonValue &curve : both[u"curves"_s].toArray())
        EXPECT_LT(curve[u"start"_s][0].toDouble(), curve[u"end"_s][0].toDouble());
    EXPECT_LE(startRight, both[u"width"_s].toDouble());
}

class VerbariumCommandFailure : public testing::TestWithParam<CliFailureRow>
{
};

TEST_P(VerbariumCommandFailure, ReportsOnStandardErrorOnly)
{
    expectFailure(runCommand(u"verbarium"_s, GetParam().arguments, sampleText), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    VerbariumCommand, VerbariumCommandFailure,
    testing::Values(
        CliFailureRow{"MissingWord", {}, 2, "--word is required"},
        CliFailureRow{"ZeroWidth", {u"--word"_s, u"a"_s, u"--width"_s, u"0"_s}, 2, "--width"},
        CliFailureRow{"TextHeight", {u"--word"_s, u"a"_s, u"--height"_s, u"tall"_s}, 2, "--height"},
        CliFailureRow{"HugeWidth", {u"--word"_s, u"a"_s, u"--width"_s, u"1e9"_s}, 2, "--width"},
        CliFailureRow{"PictureTooLarge",
                      {u"--word"_s, u"a"_s, u"--width"_s, u"100000"_s, u"--height"_s, u"100000"_s,
                       u"--format"_s, u"png"_s},
                      1,
                      "is too large"},
        CliFailureRow{"UnknownLayout",
                      {u"--word"_s, u"a"_s, u"--layout"_s, u"roomy"_s},
                      2,
                      "--layout must be default or spread, not \"roomy\""},
        CliFailureRow{"BothAndBefore",
                      {u"--word"_s, u"a"_s, u"--both"_s, u"--before"_s},
                      2,
                      "--both shows both sides"},
        CliFailureRow{"UnknownFormat", {u"--word"_s, u"a"_s, u"--format"_s, u"gif"_s}, 2, "gif"},
        CliFailureRow{"MissingFile",
                      {u"/nonexistent/in.txt"_s, u"--word"_s, u"a"_s},
                      1,
                      "/nonexistent/in.txt"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
