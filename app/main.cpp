#include "AppDelegate.h"
#include "UserInterface.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMainWindow>
#include <QWindow>
#include <cstring>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Opens path once the launch has made the input window active: that activation hides
// the other windows, so a cloud shown before it would be gone at once.
void openOnceActive(UserInterface &userInterface, const QString &path)
{
    AppDelegate *controller = &userInterface.appDelegate();
    QWidget *inputWindow = userInterface.inputWindow();
    if (inputWindow->isActiveWindow()) {
        controller->openFile(path);
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, controller,
                                   [controller, inputWindow, path, connection](QWindow *window) {
                                       if (window != inputWindow->windowHandle())
                                           return;
                                       QObject::disconnect(*connection);
                                       controller->openFile(path);
                                   });
}

// --help and --version only print, so they need no display: a terminal without one
// must not end in a failed connection.
bool onlyPrints(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> application =
        onlyPrints(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                               : std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(u"Verbarium"_s);
    QApplication::setApplicationVersion(QStringLiteral(VERBARIUM_VERSION));
    QApplication::setDesktopFileName(u"app.verbarium.Verbarium"_s);

    QCommandLineParser commandLine;
    commandLine.setApplicationDescription(
        QApplication::translate("main", "Shows a text's words as a cloud and, for a chosen word, "
                                        "the tree of the word sequences that follow it."));
    commandLine.addHelpOption();
    commandLine.addVersionOption();
    commandLine.addPositionalArgument(
        u"FILE"_s, QApplication::translate("main", "A UTF-8 text file to import and analyse."),
        u"[FILE]"_s);
    commandLine.process(*application);
    if (commandLine.positionalArguments().size() > 1)
        commandLine.showHelp(2);

    UserInterface userInterface;
    userInterface.appDelegate().applicationDidFinishLaunching();
    if (!commandLine.positionalArguments().isEmpty())
        openOnceActive(userInterface, commandLine.positionalArguments().constFirst());
    return QApplication::exec();
}
