#pragma once

#include <QAccessible>
#include <QString>
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
