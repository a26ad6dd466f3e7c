#include "ContextLineDelegate.h"

#include "ContextsModel.h"

#include <QApplication>
#include <QPainter>
#include <cmath>

void ContextLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

    const QRect area = option.rect.adjusted(4, 0, -4, 0);
    const int column = area.left() + area.width() * 2 / 5;
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QString match = index.data(ContextsModel::MatchRole).toString();
    // Whole pixels rounded up: the advance rounded to the nearest can be narrower than
    // the eliding below measures, and "the" would be shown as "t…".
    const int matchWidth = std::min(int(std::ceil(QFontMetricsF(bold).horizontalAdvance(match))),
                                    area.right() - column);

    painter->save();
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const QString left = option.fontMetrics.elidedText(
        index.data(ContextsModel::LeftRole).toString(), Qt::ElideLeft, column - area.left() - 6);
    painter->drawText(QRect(area.left(), area.top(), column - area.left() - 6, area.height()),
                      Qt::AlignRight | Qt::AlignVCenter, left);
    painter->setFont(bold);
    painter->drawText(QRect(column, area.top(), matchWidth, area.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      boldMetrics.elidedText(match, Qt::ElideRight, matchWidth));
    painter->setFont(option.font);
    const int rightStart = column + matchWidth + 6;
    const QString right = option.fontMetrics.elidedText(
        index.data(ContextsModel::RightRole).toString(), Qt::ElideRight, area.right() - rightStart);
    painter->drawText(QRect(rightStart, area.top(), area.right() - rightStart, area.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, right);
    painter->restore();
}
