#include "CloudAccessibility.h"

#include "AccessibleItems.h"
#include "WordCloudView.h"

#include <QAccessibleWidget>

using namespace Qt::Literals::StringLiterals;

namespace {

// One word of the cloud.
class CloudWordAccessible : public AccessibleWord
{
public:
    CloudWordAccessible(WordCloudView *view, int index)
        : AccessibleWord(view, index)
    {}

    bool isValid() const override { return view() && index() < int(cloud()->words().size()); }
    QAccessibleInterface *parent() const override { return viewInterface(); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        const std::size_t place = std::size_t(index());
        if (const std::optional<FixedLook> &look = cloud()->content()->fixedLook)
            return look->accessibleNames[place];
        const CloudWord &word = cloud()->words()[place];
        return wordWithCount(word.word(), word.count);
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &actionName) override
    {
        if (!isValid())
            return;
        if (actionName == pressAction())
            cloud()->chooseWord(index());
        else if (actionName == setFocusAction())
            cloud()->focusWord(index());
    }

protected:
    QRect rectInView() const override { return cloud()->wordRect(index()); }
    bool hasKeyboardFocus() const override { return cloud()->focusedWord() == index(); }

private:
    WordCloudView *cloud() const { return static_cast<WordCloudView *>(view()); }
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
            return view()->accessibleName().isEmpty() ? QObject::tr("Word cloud")
                                                      : view()->accessibleName();
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
    installAccessibleFactory(cloudAccessibleFactory);
}

void cloudFocusMoved(WordCloudView *view, qsizetype index)
{
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    QAccessibleEvent event(view, QAccessible::Focus);
    event.setChild(int(index));
    QAccessible::updateAccessibility(&event);
}
