#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <ostream>
#include <sys/types.h>

class QProcess;

// What one run of the built verbarium-cli produced.
struct CliRun
{
    int exitCode = -1; // -1 when it did not start, crashed or timed out
    QByteArray out;
    QByteArray err;
};

// Runs verbarium-cli with arguments, input on its standard input.
CliRun runCli(const QStringList &arguments, const QByteArray &input = {});
// Runs one command of verbarium-cli: the command's name, then its arguments.
CliRun runCommand(const QString &command, const QStringList &arguments,
                  const QByteArray &input = {});
// Runs verbarium-cli with arguments once setUp has prepared the process, e.g. given it
// another standard input.
CliRun runCliWith(const QStringList &arguments, const std::function<void(QProcess &)> &setUp,
                  const QByteArray &input = {});

// Starts verbarium-cli with arguments, its output to /dev/null and every signal at its
// default, and returns its pid (-1 when it did not start); the caller waits for it.
pid_t spawnCli(const QStringList &arguments);

// A command run that must fail: its arguments, its exit status and a part of the one
// line it writes on standard error.
struct CliFailureRow
{
    const char *name;
    QStringList arguments;
    int exitCode;
    QByteArray messagePart;
};

inline void PrintTo(const CliFailureRow &row, std::ostream *out)
{
    *out << row.name;
}

// Expects run to have failed as row says, with nothing on standard output.
void expectFailure(const CliRun &run, const CliFailureRow &row);

// Bytes in failure messages as text, not as a list of characters.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    *out << '"' << bytes.toStdString() << '"';
}
QT_END_NAMESPACE
