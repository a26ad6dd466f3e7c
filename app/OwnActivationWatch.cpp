#include "OwnActivationWatch.h"

#include <QGuiApplication>
#include <QWindow>

OwnActivationWatch::OwnActivationWatch(QObject *parent)
    : QObject(parent)
{
    // The application reports a new focus window after the window's own activation
    // events: a window that took the activation without asking for it here has already
    // been handled, and the wait ends. A modal dialog taking it (an alert right after a
    // chooser) ends nothing, nor does the focus leaving for no window of the app (null).
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
        if (window && window->modality() == Qt::NonModal)
            m_expected = false;
    });
}

void OwnActivationWatch::expectOwnActivation()
{
    m_expected = true;
}

bool OwnActivationWatch::takeOwnActivation()
{
    return std::exchange(m_expected, false);
}
