#include "VerbariumAccessibility.h"

#include "AccessibleItems.h"
#include "AtSpiTreeItems.h"
#include "CountText.h"
#include "NodeDescription.h"
#include "VerbariumView.h"

#include <QAccessibleWidget>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

class VerbariumAccessible;

VerbariumAccessible *treeOf(VerbariumView *view);

// One word of the picture, an item of the tree.
class WordItemAccessible : public AccessibleWord, public AccessibleTreeItem
{
public:
    WordItemAccessible(VerbariumView *view, int index)
        : AccessibleWord(view, index)
    {}

    bool isValid() const override
    {
        return view() && verbarium()->picture() &&
               index() < int(verbarium()->picture()->words.size());
    }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override
    {
        return isValid() ? int(verbarium()->outline().children[std::size_t(index())].size()) : 0;
    }
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const VerbariumPicture &picture = *verbarium()->picture();
        const PlacedWord &word = picture.words[std::size_t(index())];
        // The level is the item's place in the tree, which screen readers say themselves.
        if (t == QAccessible::Name)
            return spokenTimesAndBranches(spokenWord(picture, word),
                                          picture.treeOf(word).occurrences(word.node),
                                          picture.treeOf(word).countOfLeaves(word.node));
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    // Expanded where the picture shows the word's followers, collapsed where the tree
    // has followers the picture leaves out (past its depth), neither for a last word.
    QAccessible::State state() const override
    {
        QAccessible::State state = AccessibleWord::state();
        if (!isValid())
            return state;
        const VerbariumPicture &picture = *verbarium()->picture();
        const PlacedWord &word = picture.words[std::size_t(index())];
        const bool followed = picture.treeOf(word).childCount(word.node) > 0 ||
                              (index() == 0 && picture.bothSides() &&
                               picture.beforeTree->childCount(picture.beforeTree->root()) > 0);
        state.expandable = followed;
        state.expanded = followed && childCount() > 0;
        state.collapsed = followed && childCount() == 0;
        return state;
    }

    int level() const override
    {
        return isValid() ? verbarium()->outline().level[std::size_t(index())] : 0;
    }
    int positionInSet() const override
    {
        const std::vector<int> siblings = this->siblings();
        return siblings.empty() ? 1
                                : int(std::ranges::find(siblings, index()) - siblings.begin()) + 1;
    }
    int setSize() const override { return std::max(int(siblings().size()), 1); }
    QAccessibleInterface *itemAbove() const override { return parent(); }

    QStringList actionNames() const override
    {
        return {pressAction(), showMenuAction(), setFocusAction()};
    }
    void doAction(const QString &actionName) override
    {
        if (!isValid())
            return;
        if (actionName == pressAction())
            verbarium()->chooseWord(index());
        else if (actionName == showMenuAction())
            verbarium()->restartFromWord(index());
        else if (actionName == setFocusAction())
            verbarium()->focusWord(index());
    }

protected:
    QRect rectInView() const override { return verbarium()->wordRect(index()); }
    bool hasKeyboardFocus() const override { return verbarium()->focusedWord() == index(); }

private:
    VerbariumView *verbarium() const { return static_cast<VerbariumView *>(view()); }
    // The followers shown of the word's parent on the word's side, the word among them;
    // none for the start word, the only item at the top.
    std::vector<int> siblings() const
    {
        if (!isValid())
            return {};
        const PictureOutline &outline = verbarium()->outline();
        const int parent = outline.parent[std::size_t(index())];
        return parent < 0 ? std::vector<int>{}
                          : childrenOnSide(outline, parent, outline.before[std::size_t(index())]);
    }
};

// The picture as a tree. Its items are made when asked for and kept, with their ids,
// until the view shows another picture.
class VerbariumAccessible : public QAccessibleWidget
{
public:
    explicit VerbariumAccessible(VerbariumView *view)
        : QAccessibleWidget(view, QAccessible::Tree)
    {}

    int childCount() const override { return view()->picture() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override { return index == 0 ? item(0) : nullptr; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == item(0) ? 0 : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return item(view()->wordAt(QPointF(view()->mapFromGlobal(QPoint(x, y)))));
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QObject::tr("Verbarium");
        return QAccessibleWidget::text(t);
    }

    // The item of the picture's word at index, null outside the picture.
    QAccessibleInterface *item(int index) const
    {
        VerbariumView *shown = view();
        const int count = shown->picture() ? int(shown->picture()->words.size()) : 0;
        return m_items.item(index, count, shown->generation(),
                            [shown, index] { return new WordItemAccessible(shown, index); });
    }

private:
    VerbariumView *view() const { return static_cast<VerbariumView *>(widget()); }

    mutable AccessibleItemCache m_items; // what screen readers asked for
};

VerbariumAccessible *treeOf(VerbariumView *view)
{
    return view ? dynamic_cast<VerbariumAccessible *>(QAccessible::queryAccessibleInterface(view))
                : nullptr;
}

QAccessibleInterface *WordItemAccessible::parent() const
{
    if (!isValid())
        return nullptr;
    const int parent = verbarium()->outline().parent[std::size_t(index())];
    return parent < 0 ? viewInterface() : treeOf(verbarium())->item(parent);
}

QAccessibleInterface *WordItemAccessible::child(int childIndex) const
{
    if (childIndex < 0 || childIndex >= childCount())
        return nullptr;
    return treeOf(verbarium())
        ->item(verbarium()->outline().children[std::size_t(index())][std::size_t(childIndex)]);
}

int WordItemAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface *verbariumAccessibleFactory(const QString &className, QObject *object)
{
    if (className == u"VerbariumView"_s && object && object->isWidgetType())
        return new VerbariumAccessible(static_cast<VerbariumView *>(object));
    return nullptr;
}

} // namespace

void installVerbariumAccessibility()
{
    installAccessibleFactory(verbariumAccessibleFactory);
    installAtSpiTreeItems();
}

void verbariumFocusMoved(VerbariumView *view, int index)
{
    if (!QAccessible::isActive() || !view->hasFocus())
        return;
    if (QAccessibleInterface *item = treeOf(view) ? treeOf(view)->item(index) : nullptr) {
        QAccessibleEvent event(item, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}
