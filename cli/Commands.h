#pragma once

#include <QStringList>

// The subcommands of verbarium-cli. Each takes the arguments that follow its name
// and returns the process's exit status (0 done, 1 failed, 2 bad arguments).
// A new command: declare it here and add a row to the table in main.cpp.

int countsCommand(const QStringList &arguments);
int cloudCommand(const QStringList &arguments);
int treeCommand(const QStringList &arguments);
int verbariumCommand(const QStringList &arguments);
int contextsCommand(const QStringList &arguments);
int keynessCommand(const QStringList &arguments);
int dispersionCommand(const QStringList &arguments);
