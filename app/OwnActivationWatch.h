#pragma once

#include <QObject>

// Tells apart an activation that the app brought about itself from one the user asked
// for: the window manager hands the activation back to the app's window when one of
// the app's modal dialogs closes. After such a cause, the first window of the app to
// become active is taken to be its effect; the activation of any other window first
// ends the wait.
class OwnActivationWatch : public QObject
{
    Q_OBJECT

public:
    explicit OwnActivationWatch(QObject *parent = nullptr);

    // Called when the app has done what makes the window manager activate one of its
    // windows: a modal dialog has closed.
    void expectOwnActivation();
    // Whether the activation being handled is that effect; true at most once per
    // cause. Call it from the WindowActivate handler, which runs before the
    // application reports the new focus window.
    bool takeOwnActivation();

private:
    bool m_expected = false;
};
