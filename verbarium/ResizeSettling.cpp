#include "ResizeSettling.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWidget>

namespace {

// How long a window's size must stay put before a resize counts as ended.
constexpr int resizeSettleMs = 150;

} // namespace

ResizeSettling::ResizeSettling(QWidget *view, std::function<std::optional<QRect>()> keptPart)
    : m_view(view)
    , m_keptPart(std::move(keptPart))
{
    m_settling.setSingleShot(true);
    m_settling.setInterval(resizeSettleMs);
    connect(&m_settling, &QTimer::timeout, this, &ResizeSettling::settled);
}

void ResizeSettling::watch(QWidget *area)
{
    if (area == m_view)
        area = nullptr;
    if (area == m_watched)
        return;
    if (m_watched)
        m_watched->removeEventFilter(this);
    m_watched = area;
    if (m_watched)
        m_watched->installEventFilter(this);
}

bool ResizeSettling::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched && event->type() == QEvent::Resize) {
        if (!m_settling.isActive()) {
            if (const std::optional<QRect> kept = m_keptPart()) {
                // Where the view stands in the visible area is minus its position.
                const QRect seen(-m_view->pos(), static_cast<QResizeEvent *>(event)->oldSize());
                m_keptPartInSight = seen.contains(*kept);
            }
        }
        m_settling.start();
    }
    return QObject::eventFilter(watched, event);
}
