#include "CommandLine.h"

#include "MessageText.h"
#include "TextFile.h"

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

CommandLine::CommandLine(QString command, QString synopsis, QString description)
    : m_command(std::move(command))
    , m_synopsis(std::move(synopsis))
    , m_description(std::move(description))
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOption(QCommandLineOption({u"h"_s, u"help"_s}, u"Show this help and exit."_s));
}

void CommandLine::addOption(const QCommandLineOption &option)
{
    m_options.append(option);
    m_parser.addOption(option);
}

void CommandLine::addFormatOption(const QStringList &formats)
{
    Q_ASSERT(!formats.isEmpty());
    m_formats = formats;
    addOption(QCommandLineOption(
        u"format"_s, u"Output format: %1 (default %2)."_s.arg(formats.join(u", "), formats.first()),
        u"FORMAT"_s, formats.first()));
}

void CommandLine::addOutputOption()
{
    addOption(QCommandLineOption(
        u"output"_s, u"Write to PATH instead of standard output ('-': standard output)."_s,
        u"PATH"_s));
    m_describesOutput = true;
}

void CommandLine::addViewSizeOptions()
{
    addOption(QCommandLineOption(u"width"_s, u"Width of the view in points (default 800)."_s,
                                 u"W"_s, u"800"_s));
    addOption(QCommandLineOption(u"height"_s, u"Height of the view in points (default 600)."_s,
                                 u"H"_s, u"600"_s));
}

std::optional<qint64> CommandLine::wholeNumber(const QString &optionName, qint64 min,
                                               qint64 max) const
{
    const QString text = value(optionName);
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    bool inRange = false;
    const qint64 number = digitsOnly ? text.toLongLong(&inRange) : 0;
    if (inRange && number >= min && number <= max)
        return number;
    const QString range = max == std::numeric_limits<qint64>::max()
                              ? u"of %1 or more"_s.arg(min)
                              : u"from %1 to %2"_s.arg(min).arg(max);
    badArguments(u"--%1 needs a whole number %2, not '%3'"_s.arg(optionName, range, text));
    return std::nullopt;
}

std::optional<QSize> CommandLine::viewSize() const
{
    constexpr int largestSide = 100000;
    const std::optional<qint64> width = wholeNumber(u"width"_s, 1, largestSide);
    if (!width)
        return std::nullopt;
    const std::optional<qint64> height = wholeNumber(u"height"_s, 1, largestSide);
    if (!height)
        return std::nullopt;
    return QSize(int(*width), int(*height));
}

std::optional<int> CommandLine::parse(const QStringList &arguments)
{
    // QCommandLineParser expects the program name first.
    if (!m_parser.parse(QStringList{u"verbarium-cli"_s} + arguments))
        return badArguments(m_parser.errorText());
    if (const std::optional<QString> repeated = repeatedOption())
        return badArguments(u"--%1 is given more than once"_s.arg(*repeated));
    if (m_parser.isSet(u"help"_s))
        return CommandOutput::printToStandardOutput(usage()) ? 0 : 1;
    if (m_parser.positionalArguments().size() > m_largestInputCount)
        return badArguments(u"more than %1 input files given"_s.arg(m_largestInputCount));
    if (!m_formats.isEmpty() && !m_formats.contains(format()))
        return badArguments(u"unknown format '%1'"_s.arg(format()));
    if (m_parser.isSet(u"output"_s) && m_parser.value(u"output"_s).isEmpty())
        return badArguments(u"--output needs a path"_s);
    return std::nullopt;
}

std::optional<QString> CommandLine::repeatedOption() const
{
    // optionNames() lists every occurrence, under the name it was given by.
    QList<const QCommandLineOption *> seen;
    for (const QString &name : m_parser.optionNames()) {
        const auto option = std::find_if(m_options.cbegin(), m_options.cend(),
                                         [&name](const QCommandLineOption &candidate) {
                                             return candidate.names().contains(name);
                                         });
        if (option == m_options.cend())
            continue;
        if (seen.contains(&*option))
            return option->names().constLast();
        seen.append(&*option);
    }
    return std::nullopt;
}

QStringList CommandLine::inputSources() const
{
    const QStringList positional = m_parser.positionalArguments();
    return positional.isEmpty() ? QStringList{u"-"_s} : positional;
}

QString CommandLine::format() const
{
    return m_formats.isEmpty() ? QString() : m_parser.value(u"format"_s);
}

QString CommandLine::outputPath() const
{
    const QString path = m_parser.isSet(u"output"_s) ? m_parser.value(u"output"_s) : QString();
    return path == u"-" ? QString() : path;
}

QString CommandLine::usage() const
{
    QString text =
        u"Usage: verbarium-cli %1\n\n%2\n\n"
        "FILE is a UTF-8 text file; several FILEs and DIRs (each DIR's .txt files,\n"
        "in its subfolders too, in path order) are one corpus, its files kept\n"
        "apart: no tree or phrase runs from one into the next. A file that cannot\n"
        "be read as UTF-8 is named on standard error and left out. At most %3 MB\n"
        "in all; without FILE, or with '-', standard input is read.\n\n"
        "Options:\n"_s.arg(m_synopsis, m_description, QString::number(largestTextBytes / 1000000));
    for (const QCommandLineOption &option : m_options) {
        QStringList names;
        for (const QString &name : option.names())
            names.append((name.size() == 1 ? u"-"_s : u"--"_s) + name);
        QString left = names.join(u", ");
        if (!option.valueName().isEmpty())
            left += u' ' + option.valueName();
        text += u"  %1  %2\n"_s.arg(left.leftJustified(20), option.description());
    }
    if (m_describesOutput)
        text += u"\n"_s + outputText;
    return text + u"\n"_s + exitStatusText;
}

int CommandLine::badArguments(const QString &problem) const
{
    CommandOutput::printToStandardError(
        u"verbarium-cli %1: %2\n\n%3"_s.arg(m_command, escapedControls(problem), usage()));
    return 2;
}
