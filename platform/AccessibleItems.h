#pragma once

#include <QAccessible>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// How a screen reader names a word of a picture: "whale, 3 times", "sea, 1 time".
QString wordWithCount(const QString &word, qint64 count);

// The items of a picture for screen readers (its words, which are no objects of their
// own), made when first asked for and kept, with their ids, until the picture changes.
// Views count their pictures (a generation); a new count drops the old items.
class AccessibleItemCache
{
public:
    AccessibleItemCache() = default;
    ~AccessibleItemCache() { clear(); }
    AccessibleItemCache(const AccessibleItemCache &) = delete;
    AccessibleItemCache &operator=(const AccessibleItemCache &) = delete;

    // The item at index of a picture of count items, made by make when it is new.
    QAccessibleInterface *item(int index, int count, quint64 generation,
                               const std::function<QAccessibleInterface *()> &make);
    // The index of an item already made, or −1.
    int indexOf(const QAccessibleInterface *item) const;

private:
    void clear();

    std::vector<QAccessible::Id> m_ids; // 0 for an item not made yet
    quint64 m_generation = 0;
};

// A word of a picture view for screen readers: the view and the word's index in it, so
// it outlives nothing; once the view shows another picture, the view's cache drops it.
// What every word has in common is here; what the word says and its actions are the
// view's.
class AccessibleWord : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

protected:
    AccessibleWord(QWidget *view, int index);

    // The view, null once it has gone.
    QWidget *view() const { return m_view; }
    int index() const { return m_index; }
    QAccessibleInterface *viewInterface() const;
    // Where the word is, in the view's coordinates.
    virtual QRect rectInView() const = 0;
    virtual bool hasKeyboardFocus() const = 0;

private:
    QPointer<QWidget> m_view;
    int m_index;
};

// Installs factory once, however often it is asked for.
void installAccessibleFactory(QAccessible::InterfaceFactory factory);

// Tells screen readers that view shows another picture.
void announcePictureChanged(QWidget *view);
