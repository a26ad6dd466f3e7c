#include "LeftOutBar.h"

#include <QLocale>
#include <QPushButton>

LeftOutBar::LeftOutBar(QWidget *parent)
    : NoticeBar(QString(), tr("Show &All Words"), parent)
{
    connect(actionButton(), &QPushButton::clicked, this, &LeftOutBar::showAllWordsAsked);
}

void LeftOutBar::showFor(qsizetype leftOutWords, const QString &description)
{
    if (leftOutWords <= 0) {
        hide();
        return;
    }
    setMessage(tr("%1 left out: %2").arg(description, QLocale().toString(leftOutWords)));
    show();
}
