#pragma once

#include "NoticeBar.h"

class QPushButton;
struct VerbariumPicture;

// A bar above the verbarium's picture that says when words of the picture print over
// each other, and offers the layout with room for every word. Closed, it stays away
// until the next picture.
class OverlapBar : public NoticeBar
{
    Q_OBJECT

public:
    explicit OverlapBar(QWidget *parent = nullptr);

    // Shows the bar when words of picture overlap, hides it otherwise (null: no picture).
    void showFor(const VerbariumPicture *picture);

    QPushButton *roomButton() const { return actionButton(); }

signals:
    void roomForEveryWordAsked();
};
