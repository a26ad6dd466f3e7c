#pragma once

#include "TokensHoldingWord.h"

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QPushButton;

// A bar above the verbarium's picture, shown when the start asked for occurs only
// inside longer tokens (the cloud's "x" in "x86"): a button for each of the most
// frequent of them grows its tree.
class HoldingTokensBar : public QFrame
{
    Q_OBJECT

public:
    explicit HoldingTokensBar(QWidget *parent = nullptr);

    // Shows a button for each of the first tokens, hides the bar for none.
    void showFor(const QList<HoldingToken> &tokens);
    QList<QPushButton *> buttons() const { return m_buttons; }

signals:
    void tokenChosen(const QString &token);

private:
    QLabel *m_message;     // owned through Qt's parent-child tree, as are the buttons
    QHBoxLayout *m_layout; // this widget's
    QList<QPushButton *> m_buttons;
};
