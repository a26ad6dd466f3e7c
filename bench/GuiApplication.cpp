#include "GuiApplication.h"

#include <QGuiApplication>

void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "verbarium-bench";
    static char *argv[] = {name, nullptr};
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
}
