#include "OverlapBar.h"

#include "VerbariumLayout.h"
#include "WordOverlaps.h"

#include <QPushButton>

OverlapBar::OverlapBar(QWidget *parent)
    : NoticeBar(tr("Some words of this tree print over each other."),
                tr("Make &Room for Every Word"), parent)
{
    connect(actionButton(), &QPushButton::clicked, this, &OverlapBar::roomForEveryWordAsked);
}

void OverlapBar::showFor(const VerbariumPicture *picture)
{
    setVisible(picture && firstOverlap(picture->words, visibleOverlap));
}
