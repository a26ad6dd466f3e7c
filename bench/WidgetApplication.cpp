#include "WidgetApplication.h"

#include <QApplication>

void ensureWidgetApplication()
{
    static int argc = 1;
    static char name[] = "verbarium-bench";
    static char *argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
}
