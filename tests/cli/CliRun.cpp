#include "CliRun.h"

#include <QProcess>

CliRun runCli(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
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

CliRun runCommand(const QString &command, const QStringList &arguments, const QByteArray &input)
{
    return runCli(QStringList{command} + arguments, input);
}
