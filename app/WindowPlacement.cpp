#include "WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <algorithm>

namespace {

// The panel's usual place, from the screen's top right corner.
constexpr int panelRightInset = 200;
constexpr int panelTopInset = 40;
constexpr int panelGap = 4;

} // namespace

QRect fitInside(const QRect &wanted, const QRect &available, const QMargins &frameMargins)
{
    QRect frame = wanted.marginsAdded(frameMargins);
    frame.setWidth(std::min(frame.width(), available.width()));
    frame.setHeight(std::min(frame.height(), available.height()));
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame.marginsRemoved(frameMargins);
}

QPoint infoPanelPosition(const QRect &available, const QSize &panelSize, const QRect &keepClear)
{
    const QPoint usual(available.right() - panelRightInset, available.top() + panelTopInset);
    const int above = keepClear.top() - panelGap - panelSize.height();
    const int below = keepClear.bottom() + 1 + panelGap;
    for (const QPoint &place : {usual, QPoint(usual.x(), above), QPoint(usual.x(), below)}) {
        const QRect panel(place, panelSize);
        if (available.contains(panel) && !panel.intersects(keepClear))
            return place;
    }
    return usual;
}

InfoPanelPlacer::InfoPanelPlacer(QWidget *panel, QWidget *pathField, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_pathField(pathField)
{}

void InfoPanelPlacer::place()
{
    const QScreen *screen = m_panel->screen();
    if (!screen)
        return;
    const QRect keepClear = m_pathField->isVisible()
                                ? QRect(m_pathField->mapToGlobal(QPoint(0, 0)), m_pathField->size())
                                : QRect();
    m_panel->move(infoPanelPosition(screen->availableGeometry(), m_panel->frameSize(), keepClear));
}

bool InfoPanelPlacer::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        place();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
