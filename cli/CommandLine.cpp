#include "CommandLine.h"

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
    addOption(
        QCommandLineOption(u"output"_s, u"Write to PATH instead of standard output."_s, u"PATH"_s));
}

void CommandLine::addViewSizeOptions()
{
    addOption(QCommandLineOption(u"width"_s, u"Width of the view in points (default 800)."_s,
                                 u"W"_s, u"800"_s));
    addOption(QCommandLineOption(u"height"_s, u"Height of the view in points (default 600)."_s,
                                 u"H"_s, u"600"_s));
}

std::optional<QSize> CommandLine::viewSize() const
{
    constexpr int largestSide = 100000;
    QSize size;
    for (const QString &side : {u"width"_s, u"height"_s}) {
        bool ok = false;
        const int points = value(side).toInt(&ok);
        if (!ok || points < 1 || points > largestSide) {
            badArguments(u"--%1 needs a whole number from 1 to %2"_s.arg(side).arg(largestSide));
            return std::nullopt;
        }
        (side == u"width" ? size.rwidth() : size.rheight()) = points;
    }
    return size;
}

std::optional<int> CommandLine::parse(const QStringList &arguments)
{
    // QCommandLineParser expects the program name first.
    if (!m_parser.parse(QStringList{u"verbarium-cli"_s} + arguments))
        return badArguments(m_parser.errorText());
    if (m_parser.isSet(u"help"_s)) {
        CommandOutput::printToStandardOutput(usage());
        return 0;
    }
    if (m_parser.positionalArguments().size() > 1)
        return badArguments(u"more than one input file given"_s);
    if (!m_formats.isEmpty() && !m_formats.contains(format()))
        return badArguments(u"unknown format '%1'"_s.arg(format()));
    if (m_parser.isSet(u"output"_s) && outputPath().isEmpty())
        return badArguments(u"--output needs a path"_s);
    return std::nullopt;
}

QString CommandLine::inputPath() const
{
    const QStringList positional = m_parser.positionalArguments();
    return positional.isEmpty() ? u"-"_s : positional.first();
}

QString CommandLine::format() const
{
    return m_formats.isEmpty() ? QString() : m_parser.value(u"format"_s);
}

QString CommandLine::outputPath() const
{
    return m_parser.isSet(u"output"_s) ? m_parser.value(u"output"_s) : QString();
}

QString CommandLine::usage() const
{
    QString text =
        u"Usage: verbarium-cli %1\n\n%2\n\nFILE is a UTF-8 text file; without FILE, or with '-', "
        "standard input is read.\n\nOptions:\n"_s.arg(m_synopsis, m_description);
    for (const QCommandLineOption &option : m_options) {
        QStringList names;
        for (const QString &name : option.names())
            names.append((name.size() == 1 ? u"-"_s : u"--"_s) + name);
        QString left = names.join(u", ");
        if (!option.valueName().isEmpty())
            left += u' ' + option.valueName();
        text += u"  %1  %2\n"_s.arg(left.leftJustified(20), option.description());
    }
    return text;
}

int CommandLine::badArguments(const QString &problem) const
{
    CommandOutput::printToStandardError(
        u"verbarium-cli %1: %2\n\n%3"_s.arg(m_command, problem, usage()));
    return 2;
}
