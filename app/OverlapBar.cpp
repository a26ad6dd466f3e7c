#include "OverlapBar.h"

#include "VerbariumLayout.h"
#include "WordOverlaps.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

OverlapBar::OverlapBar(QWidget *parent)
    : QFrame(parent)
    , m_message(new QLabel(tr("Some words of this tree print over each other."), this))
    , m_roomButton(new QPushButton(tr("Make &Room for Every Word"), this))
    , m_closeButton(new QToolButton(this))
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    const QColor highlight = tinted.color(QPalette::Highlight);
    const QColor base = tinted.color(QPalette::Window);
    tinted.setColor(QPalette::Window,
                    QColor::fromRgbF(0.8f * base.redF() + 0.2f * highlight.redF(),
                                     0.8f * base.greenF() + 0.2f * highlight.greenF(),
                                     0.8f * base.blueF() + 0.2f * highlight.blueF()));
    setPalette(tinted);

    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_closeButton->setAutoRaise(true);
    m_closeButton->setToolTip(tr("Close"));
    m_closeButton->setAccessibleName(tr("Close"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_roomButton);
    layout->addWidget(m_closeButton);

    connect(m_roomButton, &QPushButton::clicked, this, &OverlapBar::roomForEveryWordAsked);
    connect(m_closeButton, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void OverlapBar::showFor(const VerbariumPicture *picture)
{
    setVisible(picture && firstOverlap(picture->words, visibleOverlap));
}
