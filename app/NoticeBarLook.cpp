#include "NoticeBarLook.h"

#include <QFrame>

void setNoticeBarLook(QFrame &bar)
{
    bar.setFrameShape(QFrame::StyledPanel);
    bar.setAutoFillBackground(true);
    QPalette tinted = bar.palette();
    const QColor highlight = tinted.color(QPalette::Highlight);
    const QColor base = tinted.color(QPalette::Window);
    tinted.setColor(QPalette::Window,
                    QColor::fromRgbF(0.8f * base.redF() + 0.2f * highlight.redF(),
                                     0.8f * base.greenF() + 0.2f * highlight.greenF(),
                                     0.8f * base.blueF() + 0.2f * highlight.blueF()));
    bar.setPalette(tinted);
}
