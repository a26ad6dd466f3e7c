#pragma once

#include "NoticeBar.h"

#include <QStringList>

// A bar above the input window's text that names the corpus shown there, read only,
// and says how many of its files were left out, offering to list them with the reasons:
// a file left out unsaid would look like a file analysed.
class CorpusBar : public NoticeBar
{
    Q_OBJECT

public:
    explicit CorpusBar(QWidget *parent = nullptr);

    // Shows the corpus described and the files left out (each a message naming the file
    // and why); hides the bar when both are empty, as for a text of its own.
    void showFor(const QString &description, const QStringList &leftOut);
    const QStringList &leftOut() const { return m_leftOut; }

signals:
    void leftOutAsked();

private:
    QStringList m_leftOut;
};
