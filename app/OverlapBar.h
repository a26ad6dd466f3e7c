#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QToolButton;
struct VerbariumPicture;

// A bar above the verbarium's picture that says when words of the picture print over
// each other, and offers the layout with room for every word. Closed, it stays away
// until the next picture.
class OverlapBar : public QFrame
{
    Q_OBJECT

public:
    explicit OverlapBar(QWidget *parent = nullptr);

    // Shows the bar when words of picture overlap, hides it otherwise (null: no picture).
    void showFor(const VerbariumPicture *picture);

    QPushButton *roomButton() const { return m_roomButton; }
    QToolButton *closeButton() const { return m_closeButton; }

signals:
    void roomForEveryWordAsked();

private:
    // Owned through Qt's parent-child tree (this widget).
    QLabel *m_message;
    QPushButton *m_roomButton;
    QToolButton *m_closeButton;
};
