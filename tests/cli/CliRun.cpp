#include "CliRun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

CliRun run(const QStringList &arguments, const QByteArray &input,
           const std::function<void(QProcess &)> &setUp)
{
    // The index cache of these runs is their own, shared by the runs of one test program:
    // never the user's.
    static const QTemporaryDir cacheHome;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CACHE_HOME"_s, cacheHome.path());
    process.setProcessEnvironment(environment);
    if (setUp)
        setUp(process);
    process.start(QString::fromUtf8(VERBARIUM_CLI_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

CliRun runCli(const QStringList &arguments, const QByteArray &input)
{
    return run(arguments, input, {});
}

CliRun runCommand(const QString &command, const QStringList &arguments, const QByteArray &input)
{
    return runCli(QStringList{command} + arguments, input);
}

CliRun runCliWith(const QStringList &arguments, const std::function<void(QProcess &)> &setUp,
                  const QByteArray &input)
{
    return run(arguments, input, setUp);
}

void expectFailure(const CliRun &run, const CliFailureRow &row)
{
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(row.messagePart)) << run.err.toStdString();
}
