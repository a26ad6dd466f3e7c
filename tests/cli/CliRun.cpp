#include "CliRun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <unistd.h>

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

pid_t spawnCli(const QStringList &arguments)
{
    QList<QByteArray> owned{VERBARIUM_CLI_PATH};
    for (const QString &argument : arguments)
        owned.append(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : owned)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // Whatever this process ignores or blocks, the signals reach the command as usual.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t chosen;
    sigemptyset(&chosen);
    posix_spawnattr_setsigmask(&attributes, &chosen);
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        if (signalNumber != SIGKILL && signalNumber != SIGSTOP)
            sigaddset(&chosen, signalNumber);
    }
    posix_spawnattr_setsigdefault(&attributes, &chosen);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void expectFailure(const CliRun &run, const CliFailureRow &row)
{
    EXPECT_EQ(run.exitCode, row.exitCode);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(row.messagePart)) << run.err.toStdString();
    if (row.exitCode == 1) {
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}
