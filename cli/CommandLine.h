#pragma once

#include "CommandOutput.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>

// The arguments of one subcommand: its options, the optional input FILE (or "-"
// for standard input), --help, and the usage text. Bad arguments print the
// problem and the usage to standard error.
class CommandLine
{
public:
    // synopsis: what follows "verbarium-cli " in the usage line, e.g.
    // "counts [FILE|-] [--format json|csv] [--output PATH]".
    CommandLine(QString command, QString synopsis, QString description);

    void addOption(const QCommandLineOption &option);
    // --format NAME, one of formats; the first is the default.
    void addFormatOption(const QStringList &formats);
    // --output PATH; standard output when absent.
    void addOutputOption();

    // An exit status when the command must stop right away: 0 after printing the
    // usage for --help, 2 after reporting bad arguments.
    std::optional<int> parse(const QStringList &arguments);

    QString inputPath() const; // "-" for standard input
    QString format() const;
    QString outputPath() const; // empty for standard output
    QString value(const QString &optionName) const { return m_parser.value(optionName); }
    bool isSet(const QString &optionName) const { return m_parser.isSet(optionName); }

    QString usage() const;
    // Reports an argument the command itself found wrong; returns 2.
    int badArguments(const QString &problem) const;

private:
    QString m_command;
    QString m_synopsis;
    QString m_description;
    QStringList m_formats;
    QList<QCommandLineOption> m_options;
    QCommandLineParser m_parser;
};
