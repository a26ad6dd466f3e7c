#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class CommandLine;

// --leave-out LANGUAGE|FILE: the words a cloud leaves out. effect completes the option's
// description.
void addLeaveOutOption(CommandLine &commandLine, const QString &effect);

// The problem with --leave-out's value that makes it a usage error, if any; inputs are
// the texts' paths.
std::optional<QString> leaveOutProblem(const CommandLine &commandLine, const QStringList &inputs);

// The words --leave-out names: a language's list, or a file's; nothing, after reporting
// the problem, when the file cannot be read.
std::optional<QSet<QString>> leftOutWords(const CommandLine &commandLine);
