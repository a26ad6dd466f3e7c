#pragma once

#include "CommandOutput.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QSize>
#include <QStringList>
#include <limits>
#include <optional>

// The exit statuses of every command, as the usage texts state them.
inline const QString exitStatusText =
    QStringLiteral("Exit status: 0 success; 1 failure (unreadable input, unwritable output,\n"
                   "picture too large, too little memory); 2 usage error (bad arguments).\n");

// What --output does with the file at PATH.
inline const QString outputText = QStringLiteral(
    "--output replaces a regular file whole: the result goes to a temporary file beside\n"
    "it, which then takes its name, its owner, group, permissions, access control list\n"
    "and extended attributes. A file with other hard links, or one whose owner or\n"
    "attributes cannot be given to a new file, is written in place instead, as are\n"
    "FIFOs, devices and terminals; writers to one such file take turns. An interrupted\n"
    "run leaves the old file as it was.\n");

// The arguments of one subcommand: its options, the input FILEs and DIRs (or "-" for
// standard input), --help, and the usage text. Bad arguments print the
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
    // --output PATH; standard output when absent or "-".
    void addOutputOption();
    // --width W and --height H: the size of the view in points, 800 x 600 by default.
    void addViewSizeOptions();
    // The command reads up to count inputs (any number by default).
    void setLargestInputCount(int count) { m_largestInputCount = count; }

    // An exit status when the command must stop right away: 0 after printing the
    // usage for --help, 2 after reporting bad arguments (an option given twice among
    // them: which of the two was meant cannot be told).
    std::optional<int> parse(const QStringList &arguments);

    // The files and folders given, or "-" for standard input.
    QStringList inputSources() const;
    QStringList inputPaths() const { return m_parser.positionalArguments(); }
    QString format() const;
    QString outputPath() const; // empty for standard output
    QString value(const QString &optionName) const { return m_parser.value(optionName); }
    bool isSet(const QString &optionName) const { return m_parser.isSet(optionName); }

    // The option's value as a whole number from min to max, written in decimal digits
    // alone (no sign, no spaces); nothing, after reporting bad arguments, otherwise.
    std::optional<qint64> wholeNumber(const QString &optionName, qint64 min, qint64 max) const;

    // The view size asked for; nothing, after reporting bad arguments, when either side
    // is not a whole number of points from 1 to 100000 (beyond that a picture would need
    // gigabytes).
    std::optional<QSize> viewSize() const;

    QString usage() const;
    // Reports an argument the command itself found wrong; returns 2.
    int badArguments(const QString &problem) const;

private:
    // The long name of an option given more than once, if any.
    std::optional<QString> repeatedOption() const;

    QString m_command;
    QString m_synopsis;
    QString m_description;
    QStringList m_formats;
    bool m_describesOutput = false;
    int m_largestInputCount = std::numeric_limits<int>::max();
    QList<QCommandLineOption> m_options;
    QCommandLineParser m_parser;
};
