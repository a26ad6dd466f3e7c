#include "OverlapBar.h"

#include "NoticeBarLook.h"
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
    setNoticeBarLook(*this);

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
