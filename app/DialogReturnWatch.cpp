#include "DialogReturnWatch.h"

#include <QGuiApplication>
#include <QWindow>

DialogReturnWatch::DialogReturnWatch(QObject *parent)
    : QObject(parent)
{
    // The application reports a new focus window after the window's own activation
    // events: a window that took the activation without asking for the return has
    // already been handled, and the wait ends here. Losing the focus to no window of
    // the app (null) ends nothing: the return may still come.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
        if (window && window->modality() == Qt::NonModal)
            m_awaitingReturn = false;
    });
}

void DialogReturnWatch::dialogClosed()
{
    m_awaitingReturn = true;
}

bool DialogReturnWatch::takeReturnedActivation()
{
    return std::exchange(m_awaitingReturn, false);
}
