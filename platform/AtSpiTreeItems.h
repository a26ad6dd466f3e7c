#pragma once

#include <QAccessible>

// What an item of a tree tells a screen reader beyond Qt's own interface: where it
// stands in the tree.
class AccessibleTreeItem
{
public:
    virtual ~AccessibleTreeItem() = default;
    // 1 for an item at the top of the tree.
    virtual int level() const = 0;
    // 1 for the first of its siblings; setSize counts them, the item included.
    virtual int positionInSet() const = 0;
    virtual int setSize() const = 0;
    // The item one level up, or the tree itself for an item at the top.
    virtual QAccessibleInterface *itemAbove() const = 0;
};

// Qt 6.4's bridge to the desktop's accessibility bus (AT-SPI) hands every tree item on
// as a table cell with no level, position or relations: a screen reader then reads an
// item with followers as a table row, all its followers in one breath, and cannot say
// where an item stands. Once accessibility is on, this puts an object in front of the
// bridge's that answers, for the interfaces that are AccessibleTreeItems, what they
// are (a tree item), where they stand (the level, posinset and setsize attributes) and
// which item they hang from (the node-child-of relation), and hands every other call
// on to the bridge. Safe to call more than once; does nothing off the bus.
void installAtSpiTreeItems();
