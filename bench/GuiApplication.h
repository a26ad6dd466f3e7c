#pragma once

#include <QCoreApplication>

// Font metrics and painting need a GUI application: this makes one, offscreen unless
// a platform is asked for, that lives for the rest of the benchmark process.
void ensureGuiApplication();

// The same for an application of the given kind (QGuiApplication, or QApplication for
// widgets); nothing when one exists already.
template<typename Application> void ensureApplicationOf()
{
    static int argc = 1;
    static char name[] = "verbarium-bench";
    static char *argv[] = {name, nullptr};
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application application(argc, argv);
}
