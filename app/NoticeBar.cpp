#include "NoticeBar.h"

#include "NoticeBarLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

NoticeBar::NoticeBar(const QString &message, const QString &action, QWidget *parent)
    : QFrame(parent)
    , m_message(new QLabel(message, this))
    , m_actionButton(new QPushButton(action, this))
    , m_closeButton(new QToolButton(this))
{
    setNoticeBarLook(*this);
    m_message->setTextFormat(Qt::PlainText);

    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_closeButton->setAutoRaise(true);
    m_closeButton->setToolTip(tr("Close"));
    m_closeButton->setAccessibleName(tr("Close"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_actionButton);
    layout->addWidget(m_closeButton);

    connect(m_closeButton, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

QString NoticeBar::message() const
{
    return m_message->text();
}

void NoticeBar::setMessage(const QString &message)
{
    m_message->setText(message);
}
