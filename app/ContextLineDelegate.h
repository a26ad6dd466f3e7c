#pragma once

#include <QStyledItemDelegate>

// Draws a context line in three parts around a fixed column: the text before the
// occurrence right-aligned up to it, the occurrence in bold from it, the text after
// the occurrence following; so every occurrence of the list stands under the others.
// A line that names its file and line there has them first, in columns of their own.
class ContextLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    // Draws the file and line at the start of area; returns where the context begins.
    static int drawPlace(QPainter *painter, const QStyleOptionViewItem &option, const QRect &area,
                         const QString &file, qint64 line);
};
