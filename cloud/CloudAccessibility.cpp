#include "CloudAccessibility.h"

#include "AccessibleItems.h"
#include "WordCloudView.h"

#include <QAccessibleWidget>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace {

class CloudAccessible;

// One word of the cloud. It names the view and an index, so it outlives nothing: once
// the view has a new cloud, the list drops it.
class CloudWordAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    CloudWordAccessible(WordCloudView *view, qsizetype index)
        : m_view(view)
        , m_index(index)
    {}

    bool isValid() const override { return m_view && m_index < qsizetype(m_view->words().size()); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        const CloudWord &word = m_view->words()[std::size_t(m_index)];
        return wordWithCount(word.word(), word.count);
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_view->wordRect(m_index);
        return QRect(m_view->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        if (isValid()) {
            const bool focused = m_view->focusedWord() == m_index;
            state.focused = focused && m_view->hasFocus();
            state.selected = focused;
            state.invisible = !m_view->isVisible();
        }
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &actionName) override
    {
        if (!isValid())
            return;
        if (actionName == pressAction())
            m_view->chooseWord(m_index);
        else if (actionName == setFocusAction())
            m_view->focusWord(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<WordCloudView> m_view;
    qsizetype m_index;
};

// The cloud as a list. Its items are made when asked for and kept, with their ids,
// until the view shows another cloud.
class CloudAccessible : public QAccessibleWidget
{
public:
    explicit CloudAccessible(WordCloudView *view)
        : QAccessibleWidget(view, QAccessible::List)
    {}

    int childCount() const override { return int(view()->words().size()); }
    QAccessibleInterface *child(int index) const override
    {
        WordCloudView *cloud = view();
        return m_items.item(index, childCount(), cloud->generation(),
                            [cloud, index] { return new CloudWordAccessible(cloud, index); });
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return m_items.indexOf(child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const int index = int(view()->wordAt(QPointF(view()->mapFromGlobal(QPoint(x, y)))));
        return index >= 0 ? child(index) : nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QObject::tr("Word cloud");
        if (t == QAccessible::Description)
            return view()->emptyMessage();
        return QAccessibleWidget::text(t);
    }

private:
    WordCloudView *view() const { return static_cast<WordCloudView *>(widget()); }

    mutable AccessibleItemCache m_items; // what screen readers asked for
};

QAccessibleInterface *cloudAccessibleFactory(const QString &className, QObject *object)
{
    if (className == u"WordCloudView"_s && object && object->isWidgetType())
        return new CloudAccessible(static_cast<WordCloudView *>(object));
    return nullptr;
}

} // namespace

void installCloudAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(cloudAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void cloudChanged(WordCloudView *view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(view, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

void cloudFocusMoved(WordCloudView *view, qsizetype index)
{
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(int(index));
    QAccessible::updateAccessibility(&event);
}
