#include "AppController.h"
#include "UserInterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMainWindow>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QtMessageHandler defaultMessageHandler = nullptr;

// A font without the tables a script's shaping wants makes Qt warn for every font it
// tries, hundreds of lines for one text in such a script; the words are drawn all the
// same. Every other diagnostic goes where it always went.
void dropFontTableWarnings(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (type == QtWarningMsg && message.trimmed().startsWith(u"OpenType support missing for"))
        return;
    defaultMessageHandler(type, context, message);
}

// Opens paths once the launch has made the input window active: that activation hides
// the other windows, so a cloud shown before it would be gone at once.
void openOnceActive(UserInterface &userInterface, const QStringList &paths)
{
    AppController *controller = &userInterface.appController();
    QWidget *inputWindow = userInterface.inputWindow();
    if (inputWindow->isActiveWindow()) {
        controller->openFiles(paths);
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, controller,
                                   [controller, inputWindow, paths, connection](QWindow *window) {
                                       if (window != inputWindow->windowHandle())
                                           return;
                                       QObject::disconnect(*connection);
                                       controller->openFiles(paths);
                                   });
}

// The options QApplication takes out of the arguments for itself (-platform, -style
// and the like): the arguments are checked before it starts, and these are no mistake.
void acceptToolkitOptions(QCommandLineParser &commandLine)
{
    for (const QString &name :
         {u"platform"_s, u"platformpluginpath"_s, u"platformtheme"_s, u"plugin"_s,
          u"qwindowgeometry"_s, u"qwindowicon"_s, u"qwindowtitle"_s, u"display"_s, u"geometry"_s,
          u"title"_s, u"name"_s, u"style"_s, u"stylesheet"_s, u"session"_s}) {
        QCommandLineOption option(name, QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        commandLine.addOption(option);
    }
    for (const QString &name : {u"reverse"_s, u"nograb"_s, u"dograb"_s, u"sync"_s}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        commandLine.addOption(option);
    }
}

// Help, the version and bad arguments are answered without a display: a terminal with
// none must get them, not a failed connection. Returns the exit status.
int answerWithoutDisplay(QCommandLineParser &commandLine, bool parsed, int argc, char *argv[])
{
    // The help text names the program from the application's arguments.
    const QCoreApplication application(argc, argv);
    if (parsed && commandLine.isSet(u"help"_s))
        commandLine.showHelp(0);
    if (parsed && commandLine.isSet(u"version"_s))
        commandLine.showVersion();
    const QString problem = commandLine.errorText();
    std::fputs(qPrintable(u"verbarium: "_s + problem + u"\n\n"_s + commandLine.helpText()), stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(u"Verbarium"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VERBARIUM_VERSION));

    QCommandLineParser commandLine;
    commandLine.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    commandLine.setApplicationDescription(QCoreApplication::translate(
        "main", "Shows a text's words as a cloud and, for a chosen "
                "word, the tree of the word sequences that follow it."));
    commandLine.addHelpOption();
    commandLine.addVersionOption();
    commandLine.addPositionalArgument(
        u"FILE"_s,
        QCoreApplication::translate("main", "UTF-8 text files or folders of .txt files to import "
                                            "and analyse: one file as a text, anything more as a "
                                            "corpus with its files kept apart."),
        u"[FILE|DIR…]"_s);
    acceptToolkitOptions(commandLine);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = commandLine.parse(arguments);
    if (!parsed || commandLine.isSet(u"help"_s) || commandLine.isSet(u"version"_s))
        return answerWithoutDisplay(commandLine, parsed, argc, argv);

    defaultMessageHandler = qInstallMessageHandler(dropFontTableWarnings);
    QApplication application(argc, argv);
    QApplication::setDesktopFileName(u"app.verbarium.Verbarium"_s);
    // The installed icon where the theme has it, else the one built in (a build that
    // is not installed).
    QApplication::setWindowIcon(
        QIcon::fromTheme(u"app.verbarium.Verbarium"_s, QIcon(u":/app.verbarium.Verbarium.svg"_s)));
    UserInterface userInterface;
    userInterface.appController().showInputWindow();
    if (!commandLine.positionalArguments().isEmpty())
        openOnceActive(userInterface, commandLine.positionalArguments());
    const int status = QApplication::exec();
    // Quitting never waits for work: once the settings are written, the process ends at
    // once, neither waiting for the workers to notice they should stop (on a loaded
    // machine that took seconds) nor freeing what the text took piece by piece, which
    // the system takes back whole. Nothing else outlives the process.
    userInterface.saveSettings();
    std::fflush(nullptr);
    std::_Exit(status);
}
