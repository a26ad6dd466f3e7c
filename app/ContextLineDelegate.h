#pragma once

#include <QStyledItemDelegate>

// Draws a context line in three parts around a fixed column: the text before the
// occurrence right-aligned up to it, the occurrence in bold from it, the text after
// the occurrence following; so every occurrence of the list stands under the others.
class ContextLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
