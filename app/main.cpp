#include "AppDelegate.h"
#include "UserInterface.h"

#include <QApplication>
#include <QCommandLineParser>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
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
    commandLine.process(application);
    if (commandLine.positionalArguments().size() > 1)
        commandLine.showHelp(2);

    UserInterface userInterface;
    userInterface.appDelegate().applicationDidFinishLaunching();
    if (!commandLine.positionalArguments().isEmpty())
        userInterface.appDelegate().openFile(commandLine.positionalArguments().constFirst());
    return QApplication::exec();
}
