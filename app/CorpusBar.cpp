#include "CorpusBar.h"

#include <QPushButton>

CorpusBar::CorpusBar(QWidget *parent)
    : NoticeBar(QString(), tr("Show Left Out…"), parent)
{
    connect(actionButton(), &QPushButton::clicked, this, &CorpusBar::leftOutAsked);
}

void CorpusBar::showFor(const QString &description, const QStringList &leftOut)
{
    m_leftOut = leftOut;
    QStringList sentences;
    if (!description.isEmpty())
        sentences
            << tr("%1, shown read only (File ▸ New starts a text of your own).").arg(description);
    if (leftOut.size() == 1)
        sentences << tr("1 file was left out: it cannot be read as UTF-8 text.");
    else if (!leftOut.isEmpty())
        sentences << tr("%L1 files were left out: they cannot be read as UTF-8 text.")
                         .arg(leftOut.size());
    setMessage(sentences.join(u' '));
    actionButton()->setVisible(!leftOut.isEmpty());
    setVisible(!sentences.isEmpty());
}
