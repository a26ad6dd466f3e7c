#include "WidgetApplication.h"

#include "GuiApplication.h"

#include <QApplication>

void ensureWidgetApplication()
{
    ensureApplicationOf<QApplication>();
}
