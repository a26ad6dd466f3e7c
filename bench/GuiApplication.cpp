#include "GuiApplication.h"

#include <QGuiApplication>

void ensureGuiApplication()
{
    ensureApplicationOf<QGuiApplication>();
}
