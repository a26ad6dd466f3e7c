#include "CommandLine.h"
#include "Commands.h"
#include "MessageText.h"
#include "SignalCleanup.h"
#include "StandardStreams.h"

#include <QGuiApplication>
#include <QUnhandledException>
#include <exception>
#include <new>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Command
{
    QStringView name;
    QStringView summary;
    QStringView task; // completes "not enough memory to ..."
    int (*run)(const QStringList &arguments);
};

constexpr Command commands[] = {
    {u"counts", u"word counts and the tree text of a text", u"count the words", countsCommand},
    {u"cloud", u"the word cloud of a text as JSON, SVG or PNG", u"make the word cloud",
     cloudCommand},
    {u"tree", u"the tree of the word sequences that follow a word", u"grow the tree", treeCommand},
    {u"verbarium", u"the verbarium picture of a word as JSON, SVG or PNG",
     u"make the verbarium picture", verbariumCommand},
    {u"contexts", u"every occurrence of a word or phrase in its context", u"list the contexts",
     contextsCommand},
    {u"dispersion", u"where a word or phrase falls across the files, as JSON, SVG or PNG",
     u"place the occurrences", dispersionCommand},
    {u"keyness", u"the words one text uses markedly more or less than another",
     u"compare the texts", keynessCommand},
};

QtMessageHandler defaultMessageHandler = nullptr;

// Standard error carries the tool's own messages: one line for a failure, nothing after
// a success. Qt's diagnostics (a font without the tables a script's shaping wants, a
// session without a runtime directory) are not the user's business; what matters of
// them, a script no font draws, the commands say themselves. Only a fatal error, which
// ends the process, is let through.
void keepQtDiagnosticsOut(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg)
        defaultMessageHandler(type, context, message);
}

// The tool draws off screen whatever the session: the environment's choice of platform
// (a display that may not be there, plugins from another folder) is not asked.
void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char *name :
         {"QT_QPA_PLATFORM_PLUGIN_PATH", "QT_QPA_PLATFORMTHEME", "QT_QPA_GENERIC_PLUGINS"})
        qunsetenv(name);
}

QString usage()
{
    QString text = u"Usage: verbarium-cli COMMAND [ARGUMENTS...]\n\nCommands:\n"_s;
    for (const Command &command : commands)
        text += u"  %1  %2\n"_s.arg(command.name.toString().leftJustified(10), command.summary);
    text += u"\n'verbarium-cli COMMAND --help' describes a command's arguments;\n"
            "'verbarium-cli --version' prints the version.\n\n"_s;
    return text + exitStatusText;
}

// The one line that reports a failure thrown out of a command.
QString thrownFailure(const std::exception_ptr &thrown, QStringView task)
{
    try {
        std::rethrow_exception(thrown);
    } catch (const std::bad_alloc &) {
        return u"not enough memory to %1"_s.arg(task);
    } catch (const QUnhandledException &wrapper) {
        // How a worker's failure comes back through its future.
        if (wrapper.exception())
            return thrownFailure(wrapper.exception(), task);
    } catch (const std::exception &failure) {
        return u"cannot %1 (%2)"_s.arg(task, QString::fromLocal8Bit(failure.what()));
    } catch (...) {
    }
    return u"cannot %1 (an unexpected failure)"_s.arg(task);
}

// Runs a command; what it throws ends it with status 1 and one line.
int runCommand(const Command &command, const QStringList &arguments)
{
    try {
        return command.run(arguments);
    } catch (...) {
        CommandOutput::reportError(thrownFailure(std::current_exception(), command.task));
        return 1;
    }
}

// The exit status of the command line's request.
int run(QStringList arguments)
{
    if (arguments.isEmpty()) {
        CommandOutput::printToStandardError(usage());
        return 2;
    }
    const QString name = arguments.takeFirst();
    if (name == u"--help" || name == u"-h" || name == u"help")
        return CommandOutput::printToStandardOutput(usage()) ? 0 : 1;
    if (name == u"--version") {
        const QString version = u"verbarium-cli " VERBARIUM_VERSION "\n"_s;
        return CommandOutput::printToStandardOutput(version) ? 0 : 1;
    }
    for (const Command &command : commands) {
        if (command.name == name)
            return runCommand(command, arguments);
    }
    CommandOutput::printToStandardError(
        u"verbarium-cli: unknown command '%1'\n\n%2"_s.arg(escapedControls(name), usage()));
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    StandardStreams::guardClosedStreams();
    SignalCleanup::ignoreFileSizeLimitSignal();
    // The arguments are the tool's alone: Qt would take -platform, -platformpluginpath
    // and the like out of them for itself.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    useOffscreenPlatform();
    defaultMessageHandler = qInstallMessageHandler(keepQtDiagnosticsOut);
    // Commands that measure fonts need a GUI application, never a display.
    int applicationArgc = 1;
    char programName[] = "verbarium-cli";
    char *applicationArgv[] = {programName, nullptr};
    QGuiApplication application(applicationArgc, applicationArgv);

    const int status = run(arguments);
    // A file system may report a failed write only when the file is closed.
    if (const std::optional<QString> problem = StandardStreams::closeStandardOutput();
        problem && status == 0) {
        CommandOutput::reportError(u"standard output: cannot be written (%1)"_s.arg(*problem));
        return 1;
    }
    return status;
}
