#include "CliRun.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject cloudOf(const QStringList &arguments, const QByteArray &input)
{
    const CliRun run = runCommand(u"cloud"_s, arguments, input);
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    return QJsonDocument::fromJson(run.out).object();
}

QHash<QString, QString> coloursOf(const QJsonObject &cloud)
{
    QHash<QString, QString> colours;
    for (const auto &layer : cloud[u"layers"_s].toArray())
        colours.insert(layer[u"word"_s].toString(), layer[u"color"_s].toString());
    return colours;
}

const QByteArray skyText = "The sun and the moon. The sun!";

TEST(CloudCommand, JsonListsTheWordsAlphabeticallyInRowsFromTheTop)
{
    const CliRun run = runCommand(u"cloud"_s, {u"--seed"_s, u"3"_s}, skyText);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.out.startsWith(
        R"({"width":800,"height":600,"verticalScroller":false,"layers":[{"word":"and","count":1,"fontSize":15,"color":")"));

    const QJsonArray layers = QJsonDocument::fromJson(run.out).object()[u"layers"_s].toArray();
    QStringList words;
    QList<int> counts;
    for (const auto &layer : layers) {
        words << layer[u"word"_s].toString();
        counts << layer[u"count"_s].toInt();
        EXPECT_TRUE(
            QRegularExpression(u"^#[0-9a-f]{6}$"_s).match(layer[u"color"_s].toString()).hasMatch());
    }
    EXPECT_EQ(words, (QStringList{u"and"_s, u"moon"_s, u"sun"_s, u"the"_s}));
    EXPECT_EQ(counts, (QList<int>{1, 1, 2, 3}));
    EXPECT_EQ(layers[3][u"fontSize"_s].toDouble(), 80.0);

    // One row: each word starts where the previous one ends, all centred on the row,
    // which is as high as its tallest word and hangs from the top edge.
    double tallest = 0.0;
    for (qsizetype i = 0; i < layers.size(); ++i) {
        tallest = std::max(tallest, layers[i][u"height"_s].toDouble());
        if (i > 0) {
            EXPECT_FLOAT_EQ(layers[i][u"x"_s].toDouble(), layers[i - 1][u"x"_s].toDouble() +
                                                              layers[i - 1][u"width"_s].toDouble());
        }
    }
    for (const auto &layer : layers)
        EXPECT_FLOAT_EQ(layer[u"y"_s].toDouble(), 600.0 - tallest / 2.0);
}

TEST(CloudCommand, SameSeedGivesTheSameBytesAndColoursFollowTheAlphabet)
{
    const QStringList seeded{u"--seed"_s, u"42"_s};
    const CliRun first = runCommand(u"cloud"_s, seeded, skyText);
    const CliRun second = runCommand(u"cloud"_s, seeded, skyText);
    ASSERT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.out, second.out);

    // The same words in another order of the text draw the same colours.
    const QJsonObject reordered = cloudOf(seeded, "moon moon sun the and the the sun");
    EXPECT_EQ(coloursOf(reordered), coloursOf(QJsonDocument::fromJson(first.out).object()));
}

QStringList wordsOf(const QJsonObject &cloud)
{
    QStringList words;
    for (const auto &layer : cloud[u"layers"_s].toArray())
        words << layer[u"word"_s].toString();
    return words;
}

// "the" and "and" go with the English list or a file's; what is left is sized among
// itself: "sun" becomes the largest word.
TEST(CloudCommand, LeaveOutTakesCommonWordsOutBeforeTheSizes)
{
    EXPECT_EQ(wordsOf(cloudOf({u"--leave-out"_s, u"en"_s}, skyText)),
              (QStringList{u"moon"_s, u"sun"_s}));
    QTemporaryDir directory;
    const QString list = directory.filePath(u"words.txt"_s);
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# mine\nThe  SUN\n");
    file.close();
    const QJsonObject cloud = cloudOf({u"--leave-out"_s, list}, skyText);
    EXPECT_EQ(wordsOf(cloud), (QStringList{u"and"_s, u"moon"_s}));
    EXPECT_EQ(cloud[u"layers"_s].toArray()[0][u"fontSize"_s].toDouble(), 47.5);
}

TEST(CloudCommand, GapSetsWordsApartAndContrastDarkensColours)
{
    const QJsonArray layers =
        cloudOf({u"--gap"_s, u"--contrast"_s, u"--seed"_s, u"5"_s}, skyText)[u"layers"_s].toArray();
    for (qsizetype i = 1; i < layers.size(); ++i)
        EXPECT_FLOAT_EQ(layers[i][u"x"_s].toDouble(), layers[i - 1][u"x"_s].toDouble() +
                                                          layers[i - 1][u"width"_s].toDouble() +
                                                          8.0);
    for (const auto &layer : layers) {
        const QColor colour(layer[u"color"_s].toString());
        const auto linear = [](double c) {
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        const double luminance = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                                 0.0722 * linear(colour.blueF());
        EXPECT_GE(1.05 / (luminance + 0.05), 3.0) << colour.name().toStdString();
    }
}

// Widgets round their size to whole pixels; the cloud's figures do not.
TEST(CloudCommand, RowsTallerThanTheAreaGrowTheViewToTheirExactHeight)
{
    const QJsonObject cloud =
        cloudOf({u"--width"_s, u"60"_s, u"--height"_s, u"40"_s, u"--seed"_s, u"1"_s}, skyText);
    EXPECT_TRUE(cloud[u"verticalScroller"_s].toBool());
    EXPECT_EQ(cloud[u"width"_s].toDouble(), 60.0);
    // Narrower than the margin: every word has a row of its own, under an empty one.
    const QJsonArray layers = cloud[u"layers"_s].toArray();
    float rows = 0.0f;
    for (const auto &layer : layers) {
        EXPECT_EQ(layer[u"x"_s].toDouble(), 0.0);
        rows += float(layer[u"height"_s].toDouble());
    }
    ASSERT_NE(rows, std::floor(rows)) << "the font's heights give whole rows: no case here";
    // Numbers are written in single precision's shortest form: read them back as floats.
    EXPECT_EQ(float(cloud[u"height"_s].toDouble()), rows);
    const float firstHeight = float(layers[0][u"height"_s].toDouble());
    EXPECT_EQ(float(layers[0][u"y"_s].toDouble()), firstHeight * -0.5f + rows);
}

TEST(CloudCommand, PicturesShowTheWholeView)
{
    const QStringList area{u"--width"_s, u"300"_s, u"--height"_s, u"50"_s, u"--seed"_s, u"1"_s};
    const QJsonObject cloud = cloudOf(area, skyText);
    const float height = float(cloud[u"height"_s].toDouble());
    const CliRun svg = runCommand(u"cloud"_s, area + QStringList{u"--format"_s, u"svg"_s}, skyText);
    ASSERT_EQ(svg.exitCode, 0) << svg.err.constData();
    EXPECT_TRUE(svg.out.contains("<svg"));
    EXPECT_TRUE(svg.out.contains("height=\"" + QByteArray::number(double(height), 'g', 12) + '"'));

    // Standard output is a pipe here, not a terminal: PNG may go there.
    const CliRun png = runCommand(
        u"cloud"_s, area + QStringList{u"--format"_s, u"png"_s, u"--scale"_s, u"2"_s}, skyText);
    ASSERT_EQ(png.exitCode, 0) << png.err.constData();
    const QImage image = QImage::fromData(png.out, "PNG");
    EXPECT_EQ(image.size(), QSize(600, int(std::ceil(height * 2))));
    EXPECT_EQ(image.pixelColor(599, 0), QColor(Qt::white));
}

struct ScriptRow
{
    const char *name;
    QStringList command; // the command and its options; the text comes on standard input
};

void PrintTo(const ScriptRow &row, std::ostream *out)
{
    *out << row.name;
}

class ScriptWithoutAFont : public testing::TestWithParam<ScriptRow>
{
};

// With only the Latin faces installed: Devanagari crashed SVG export and filled
// standard error with 190 lines of warnings on a successful run.
TEST_P(ScriptWithoutAFont, IsDrawnAndNamedInOneLine)
{
    QTemporaryDir fonts;
    ASSERT_TRUE(fonts.isValid());
    QFile configuration(fonts.filePath(u"fonts.conf"_s));
    ASSERT_TRUE(configuration.open(QIODevice::WriteOnly));
    configuration.write("<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
                        "<dir>/usr/share/fonts/truetype/beteckna</dir><cachedir>" +
                        fonts.path().toUtf8() + "</cachedir></fontconfig>");
    configuration.close();
    const CliRun run = runCliWith(
        GetParam().command,
        [&configuration](QProcess &process) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"FONTCONFIG_FILE"_s, configuration.fileName());
            process.setProcessEnvironment(environment);
        },
        "\xe0\xa4\xa8\xe0\xa4\xae\xe0\xa4\xb8\xe0\xa5\x8d\xe0\xa4\xa4\xe0\xa5\x87 "
        "\xe0\xa4\xad\xe0\xa4\xbe\xe0\xa4\xb0\xe0\xa4\xa4 word");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              "verbarium-cli: no installed font has the letters of Devanagari: they are drawn "
              "as empty boxes (Debian's fonts-noto-core has fonts for most scripts)\n");
    EXPECT_FALSE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cli, ScriptWithoutAFont,
                         testing::Values(ScriptRow{"cloudAsSvg",
                                                   {u"cloud"_s, u"--format"_s, u"svg"_s}},
                                         ScriptRow{"cloudAsJson", {u"cloud"_s}},
                                         ScriptRow{"verbariumAsSvg",
                                                   {u"verbarium"_s, u"--word"_s,
                                                    u"\u0928\u092e\u0938\u094d\u0924\u0947"_s,
                                                    u"--format"_s, u"svg"_s}}),
                         [](const auto &info) { return std::string(info.param.name); });

class CloudCommandFailure : public testing::TestWithParam<CliFailureRow>
{
};

TEST_P(CloudCommandFailure, ReportsOnStandardErrorOnly)
{
    expectFailure(runCommand(u"cloud"_s, GetParam().arguments, skyText), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CloudCommandFailure,
    testing::Values(
        CliFailureRow{"zeroWidth", {u"--width"_s, u"0"_s}, 2, "--width needs"},
        CliFailureRow{"widthWithASpace", {u"--width"_s, u" 80"_s}, 2, "--width needs"},
        CliFailureRow{"repeatedWidth",
                      {u"--width"_s, u"800"_s, u"--width"_s, u"100"_s},
                      2,
                      "--width is given more than once"},
        CliFailureRow{"scaleOverFour", {u"--scale"_s, u"5"_s}, 2, "--scale needs"},
        CliFailureRow{"wordyHeight", {u"--height"_s, u"tall"_s}, 2, "--height needs"},
        CliFailureRow{"negativeSeed", {u"--seed"_s, u"-1"_s}, 2, "--seed needs"},
        CliFailureRow{"unknownFormat", {u"--format"_s, u"gif"_s}, 2, "unknown format"},
        CliFailureRow{"outlinesOfAPng",
                      {u"--format"_s, u"png"_s, u"--svg-outlines"_s},
                      2,
                      "--svg-outlines needs --format svg"},
        CliFailureRow{"pictureTooLarge",
                      {u"--width"_s, u"100000"_s, u"--height"_s, u"100000"_s, u"--format"_s,
                       u"png"_s, u"--output"_s, u"/tmp/verbarium-cloud-too-large.png"_s},
                      1,
                      "is too large"},
        CliFailureRow{"missingFile", {u"/nonexistent/cloud.txt"_s}, 1, "/nonexistent/cloud.txt"},
        CliFailureRow{"missingWordList",
                      {u"--leave-out"_s, u"/nonexistent/words.txt"_s},
                      1,
                      "/nonexistent/words.txt"},
        CliFailureRow{"unknownLanguage",
                      {u"--leave-out"_s, u"xx"_s},
                      1,
                      "xx: no such file (the languages with a list are da, de, en"},
        CliFailureRow{
            "emptyLeaveOut", {u"--leave-out"_s, u""_s}, 2, "--leave-out needs a language"},
        // The list took the text, and the cloud was silently empty.
        CliFailureRow{"leaveOutFromTheTextsStream",
                      {u"--leave-out"_s, u"/dev/stdin"_s},
                      2,
                      "--leave-out and the text cannot both be read from standard input"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
