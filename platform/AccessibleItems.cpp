#include "AccessibleItems.h"

#include "CountText.h"

#include <QCoreApplication>
#include <algorithm>

QString wordWithCount(const QString &word, qint64 count)
{
    return QCoreApplication::translate("AccessibleText", "%1, %2").arg(word, timesText(count));
}

QAccessibleInterface *AccessibleItemCache::item(int index, int count, quint64 generation,
                                                const std::function<QAccessibleInterface *()> &make)
{
    if (index < 0 || index >= count)
        return nullptr;
    if (generation != m_generation) {
        clear();
        m_generation = generation;
    }
    if (m_ids.size() != std::size_t(count)) {
        clear();
        m_ids.resize(std::size_t(count), 0);
    }
    QAccessible::Id &id = m_ids[std::size_t(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(make());
    return QAccessible::accessibleInterface(id);
}

int AccessibleItemCache::indexOf(const QAccessibleInterface *item) const
{
    for (std::size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] != 0 && QAccessible::accessibleInterface(m_ids[i]) == item)
            return int(i);
    return -1;
}

void AccessibleItemCache::clear()
{
    for (const QAccessible::Id id : m_ids)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    m_ids.clear();
}

AccessibleWord::AccessibleWord(QWidget *view, int index)
    : m_view(view)
    , m_index(index)
{}

QWindow *AccessibleWord::window() const
{
    const QAccessibleInterface *view = viewInterface();
    return view ? view->window() : nullptr;
}

QRect AccessibleWord::rect() const
{
    if (!isValid())
        return {};
    const QRect local = rectInView();
    return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State AccessibleWord::state() const
{
    QAccessible::State state;
    state.focusable = true;
    state.selectable = true;
    if (isValid()) {
        const bool focused = hasKeyboardFocus();
        state.focused = focused && m_view->hasFocus();
        state.selected = focused;
        state.invisible = !m_view->isVisible();
        // Scrolled out of sight, a word is there but not on screen.
        state.offscreen = !m_view->visibleRegion().intersects(rectInView());
    }
    return state;
}

void *AccessibleWord::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                : nullptr;
}

QAccessibleInterface *AccessibleWord::viewInterface() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

void installAccessibleFactory(QAccessible::InterfaceFactory factory)
{
    static std::vector<QAccessible::InterfaceFactory> installed;
    if (std::ranges::find(installed, factory) != installed.end())
        return;
    installed.push_back(factory);
    QAccessible::installFactory(factory);
}

void announcePictureChanged(QWidget *view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(view, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}
