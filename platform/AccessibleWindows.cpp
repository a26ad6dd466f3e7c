#include "AccessibleWindows.h"

#include "AccessibleItems.h"

#include <QAccessibleWidget>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

QAccessibleInterface *windowAccessibleFactory(const QString &className, QObject *object)
{
    // Subclasses with their own description are asked first, under their own names.
    if (className != u"QWidget"_s || !object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (!widget->isWindow())
        return nullptr;
    return new QAccessibleWidget(widget, widget->windowType() == Qt::ToolTip ? QAccessible::ToolTip
                                                                             : QAccessible::Window);
}

} // namespace

void installWindowAccessibility()
{
    installAccessibleFactory(windowAccessibleFactory);
}
