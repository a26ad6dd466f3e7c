#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QToolButton;

// A tinted bar above a picture that tells something about it: a message, a button that
// acts on it, and a close button. Closed, it stays away until it is shown again.
class NoticeBar : public QFrame
{
    Q_OBJECT

public:
    NoticeBar(const QString &message, const QString &action, QWidget *parent = nullptr);

    QString message() const;
    QPushButton *actionButton() const { return m_actionButton; }
    QToolButton *closeButton() const { return m_closeButton; }

protected:
    void setMessage(const QString &message);

private:
    // Owned through Qt's parent-child tree (this widget).
    QLabel *m_message;
    QPushButton *m_actionButton;
    QToolButton *m_closeButton;
};
