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
    // Short, to fit beside its button in a narrow window; the tooltip says the rest.
    QStringList parts;
    if (!description.isEmpty())
        parts << tr("%1, read only").arg(description);
    if (leftOut.size() == 1)
        parts << tr("1 file left out");
    else if (!leftOut.isEmpty())
        parts << tr("%L1 files left out").arg(leftOut.size());
    setMessage(parts.join(u"; ") + u'.');
    setToolTip(tr("The files are shown as they are, read only; File ▸ New starts a text of your "
                  "own. A file that cannot be read, or is not UTF-8 text, is left out."));
    actionButton()->setVisible(!leftOut.isEmpty());
    setVisible(!parts.isEmpty());
}
