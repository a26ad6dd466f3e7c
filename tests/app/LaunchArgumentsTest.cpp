#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct LaunchRow
{
    const char *name;
    QStringList arguments;
    int exitCode;
    const char *output; // expected in standard output, or standard error on failure
};

void PrintTo(const LaunchRow &row, std::ostream *out)
{
    *out << row.name;
}

class LaunchWithoutDisplay : public testing::TestWithParam<LaunchRow>
{
};

// Answered on a terminal without any display, where starting the toolkit would abort.
TEST_P(LaunchWithoutDisplay, AnswersWithTheCommandLinesExitStatus)
{
    const LaunchRow &row = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    QProcess app;
    app.setProcessEnvironment(environment);
    app.start(QString::fromUtf8(VERBARIUM_APP_PATH), row.arguments);
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), row.exitCode);
    const QByteArray out = app.readAllStandardOutput();
    const QByteArray err = app.readAllStandardError();
    const QByteArray &answer = row.exitCode == 0 ? out : err;
    EXPECT_TRUE(answer.contains(row.output)) << answer.toStdString();
    if (row.exitCode != 0) {
        EXPECT_TRUE(out.isEmpty());
        EXPECT_TRUE(err.contains("Usage: ")) << err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    App, LaunchWithoutDisplay,
    testing::Values(LaunchRow{"help", {u"--help"_s}, 0, "folders of .txt files"},
                    LaunchRow{"version", {u"--version"_s}, 0, "Verbarium " VERBARIUM_VERSION "\n"},
                    LaunchRow{"unknownOption", {u"--bogus"_s}, 2, "Unknown option 'bogus'"},
                    // The toolkit's own options are no mistake; what follows them is checked.
                    LaunchRow{"toolkitOptionAndUnknownOption",
                              {u"-platform"_s, u"offscreen"_s, u"a.txt"_s, u"--bogus"_s},
                              2,
                              "Unknown option 'bogus'"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
