#pragma once

#include "NoticeBar.h"

// A bar above the cloud that says when words of the text are left out of it, and
// offers to show them all: a list chosen for one text goes on leaving words out of the
// next one's cloud, which should not go unsaid.
class LeftOutBar : public NoticeBar
{
    Q_OBJECT

public:
    explicit LeftOutBar(QWidget *parent = nullptr);

    // Shows how many different words of the text the cloud leaves out, said as
    // "English common words left out: 174" for description "English common words";
    // hides the bar when there are none.
    void showFor(qsizetype leftOutWords, const QString &description);

signals:
    void showAllWordsAsked();
};
