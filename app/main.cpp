#include "AppDelegate.h"
#include "UserInterface.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Verbarium"));
    UserInterface userInterface;
    userInterface.appDelegate().applicationDidFinishLaunching();
    return QApplication::exec();
}
