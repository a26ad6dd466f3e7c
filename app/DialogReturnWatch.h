#pragma once

#include <QObject>

// Tells apart the activation that the window manager hands back when one of the app's
// own modal dialogs closes from an activation the user asked for. After a dialog has
// closed, the first window of the app to become active is taken to be that return;
// the activation of any other window first ends the wait.
class DialogReturnWatch : public QObject
{
    Q_OBJECT

public:
    explicit DialogReturnWatch(QObject *parent = nullptr);

    // Called once a modal dialog of the app has closed.
    void dialogClosed();
    // Whether the activation being handled is the one a closed dialog handed back;
    // true at most once per closed dialog. Call it from the WindowActivate handler,
    // which runs before the application reports the new focus window.
    bool takeReturnedActivation();

private:
    bool m_awaitingReturn = false;
};
