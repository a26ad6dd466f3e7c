#include "HoldingTokensBar.h"

#include "CountText.h"
#include "HoldingTokensText.h"
#include "NoticeBarLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

// More buttons would crowd the bar; the view's message counts the rest.
constexpr qsizetype shownTokens = 5;

} // namespace

HoldingTokensBar::HoldingTokensBar(QWidget *parent)
    : QFrame(parent)
    , m_message(new QLabel(tr("Grow the tree of:"), this))
    , m_layout(new QHBoxLayout(this))
{
    setNoticeBarLook(*this);
    m_layout->setContentsMargins(8, 4, 4, 4);
    m_layout->addWidget(m_message);
    m_layout->addStretch(1);
    hide();
}

void HoldingTokensBar::showFor(const QList<HoldingToken> &tokens)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (qsizetype i = 0; i < std::min(tokens.size(), shownTokens); ++i) {
        const QString token = tokens[i].token;
        auto *button = new QPushButton(
            tr("%1 · %2").arg(visibleToken(token), timesText(tokens[i].times)), this);
        connect(button, &QPushButton::clicked, this, [this, token] { emit tokenChosen(token); });
        // Before the stretch, after the message and the buttons before it.
        m_layout->insertWidget(m_layout->count() - 1, button);
        m_buttons.append(button);
    }
    setVisible(!m_buttons.isEmpty());
}
