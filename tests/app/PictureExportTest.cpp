#include "AppController.h"
#include "AppMenus.h"
#include "FakeDialogs.h"
#include "InputTextView.h"
#include "LayerExport.h"
#include "UserInterface.h"
#include "VerbariumView.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The PNG scale both sides use: the export's default.
constexpr int pngScale = 2;
constexpr unsigned colourSeed = 7;
const QString text = u"The cat saw the dog. The dog saw the cat. The cat ran home."_s;

struct FormatCase
{
    const char *name;
    PictureFileChoice::Format format;
    QStringList cliFormat;
    SvgWords svgWords = SvgWords::Text;
};

class PictureExportTest : public ::testing::TestWithParam<FormatCase>
{
protected:
    void SetUp() override
    {
        ui.appController().showInputWindow();
        ui.inputUi().textView->setPlainText(text);
        QFile file(directory.filePath(u"text.txt"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    void analyse()
    {
        // The cloud's colours come from the C library's generator, seeded as the CLI does.
        std::srand(colourSeed);
        ui.appController().analyseTypedText();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }
    QString exportWith(QAction *action)
    {
        const QString path = directory.filePath(u"exported"_s);
        dialogs.pictureFile =
            PictureFileChoice{path, GetParam().format, pngScale, GetParam().svgWords};
        action->trigger();
        return path;
    }
    QByteArray cliPicture(const QStringList &arguments)
    {
        const QString output = directory.filePath(u"cli"_s);
        QProcess cli;
        cli.start(QString::fromUtf8(VERBARIUM_CLI_PATH),
                  arguments +
                      QStringList{directory.filePath(u"text.txt"_s), u"--output"_s, output} +
                      GetParam().cliFormat);
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return readFile(output);
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void expectSamePicture(const QByteArray &exported, const QByteArray &fromCli)
    {
        ASSERT_FALSE(exported.isEmpty());
        if (GetParam().format == PictureFileChoice::Format::Svg) {
            EXPECT_EQ(withoutGlyphOutlines(exported), withoutGlyphOutlines(fromCli));
            EXPECT_EQ(exported.contains("<text"), GetParam().svgWords == SvgWords::Text);
            return;
        }
        const QImage exportedImage = QImage::fromData(exported, "PNG");
        ASSERT_FALSE(exportedImage.isNull());
        expectSameUpToGlyphEdges(
            exportedImage.convertToFormat(QImage::Format_ARGB32),
            QImage::fromData(fromCli, "PNG").convertToFormat(QImage::Format_ARGB32));
    }
    // Qt rasterises a glyph's edge a little differently once a process has drawn other
    // text: its antialiased pixels may differ slightly; a wrong place, size or colour
    // changes whole strokes.
    static void expectSameUpToGlyphEdges(const QImage &exported, const QImage &fromCli)
    {
        ASSERT_EQ(exported.size(), fromCli.size());
        qint64 differing = 0;
        for (int y = 0; y < exported.height(); ++y) {
            for (int x = 0; x < exported.width(); ++x) {
                const QRgb a = exported.pixel(x, y);
                const QRgb b = fromCli.pixel(x, y);
                const int difference =
                    std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
                ASSERT_LE(difference, 64) << "at " << x << ", " << y;
                differing += difference > 0;
            }
        }
        EXPECT_LE(differing, qint64(exported.width()) * exported.height() / 100);
    }
    // Qt's glyph outlines may differ in the last binary digits once a process has drawn
    // other text; sizes, places, transforms and colours must not.
    static QString withoutGlyphOutlines(const QByteArray &svg)
    {
        static const QRegularExpression outline(u" d=\"[^\"]*\""_s);
        return QString::fromUtf8(svg).replace(outline, u" d=\"\""_s);
    }
    static QStringList sizeArguments(QSize size)
    {
        return {u"--width"_s, QString::number(size.width()), u"--height"_s,
                QString::number(size.height())};
    }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
    QTemporaryDir directory;
};

TEST_P(PictureExportTest, CloudEqualsTheCommandLineToolsPictureOfTheSameTextSizeAndSeed)
{
    EXPECT_FALSE(ui.menus().exportCloudAction()->isEnabled()); // nothing to export yet
    analyse();
    ASSERT_TRUE(ui.menus().exportCloudAction()->isEnabled());
    const QString path = exportWith(ui.menus().exportCloudAction());
    EXPECT_TRUE(dialogs.alerts.empty());

    expectSamePicture(readFile(path),
                      cliPicture(QStringList{u"cloud"_s, u"--seed"_s, QString::number(colourSeed)} +
                                 sizeArguments(ui.cloudUi().wordCloudView->size())));
}

TEST_P(PictureExportTest, VerbariumEqualsTheCommandLineToolsPictureOfTheSameTextSizeAndWord)
{
    analyse();
    EXPECT_FALSE(ui.menus().exportVerbariumAction()->isEnabled());
    VerbariumView *verbarium = ui.verbariumUi().verbariumView;
    verbarium->startWithWord(u"cat"_s);
    // The tree grows on a worker; its picture enables the export when it arrives.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return ui.menus().exportVerbariumAction()->isEnabled(); }));
    // A new tree is laid out for the visible area; this one fits in it.
    const QSize startSize = ui.verbariumUi().scrollView->maximumViewportSize();
    const QString path = exportWith(ui.menus().exportVerbariumAction());

    expectSamePicture(
        readFile(path),
        cliPicture(QStringList{u"verbarium"_s, u"--word"_s, u"cat"_s} + sizeArguments(startSize)));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureExportTest,
    ::testing::Values(FormatCase{"png",
                                 PictureFileChoice::Format::Png,
                                 {u"--format"_s, u"png"_s, u"--scale"_s,
                                  QString::number(pngScale)}},
                      FormatCase{"svg", PictureFileChoice::Format::Svg, {u"--format"_s, u"svg"_s}},
                      FormatCase{"svgOutlines",
                                 PictureFileChoice::Format::Svg,
                                 {u"--format"_s, u"svg"_s, u"--svg-outlines"_s},
                                 SvgWords::Outlines}),
    [](const auto &info) { return std::string(info.param.name); });

// The windows with the cloud of the text on screen.
class AnalysedWindows : public testing::Test
{
protected:
    void SetUp() override
    {
        ui.appController().showInputWindow();
        ui.inputUi().textView->setPlainText(text);
        ui.appController().analyseTypedText();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !ui.appController().isBusy(); }));
    }

    FakeDialogs dialogs;
    UserInterface ui{&dialogs};
};

TEST_F(AnalysedWindows, CopyInTheCloudWindowPutsItsPictureOnTheClipboard)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(ui.cloudWindow()));
    QGuiApplication::clipboard()->clear();

    // Edit > Copy, as its shortcut triggers it in the cloud window.
    ASSERT_TRUE(ui.menus().copyAction()->isEnabled());
    ui.menus().copyAction()->trigger();
    const WordCloudView *cloud = ui.cloudUi().wordCloudView;
    const QImage expected =
        renderLayersToImage(*cloud->rootLayer(), QSizeF(cloud->size()), cloud->devicePixelRatioF());
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32),
              expected.convertToFormat(QImage::Format_ARGB32));
}

// A write that failed on a full disk said "Unknown error", in an alert in front of
// whichever window the file chooser had handed the activation to.
TEST_F(AnalysedWindows, AFailedExportSaysWhyInFrontOfThePicturesWindow)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(u"cloud.png"_s);
    dialogs.pictureFile = PictureFileChoice{path, PictureFileChoice::Format::Png, 2.0};

    // A file-size limit fails the write as a full disk does, with a reason of its own.
    const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
    rlimit before = {};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit small{100, before.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    ui.inputWindow()->activateWindow();
    ui.menus().exportCloudAction()->trigger();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, ignored);

    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_TRUE(dialogs.alerts[0].message.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << dialogs.alerts[0].message.toStdString();
    EXPECT_EQ(dialogs.alerts[0].over, ui.cloudWindow());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
