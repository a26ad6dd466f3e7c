#include "ContextLineDelegate.h"

#include "ContextsModel.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The widest the file column grows, in average characters, and the room after the line.
constexpr int placeColumnChars = 22;
constexpr int placeGap = 12;

} // namespace

int ContextLineDelegate::drawPlace(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QRect &area, const QString &file, qint64 line)
{
    // Columns that stay put from line to line: the file's name cut in its middle, where
    // names of one folder differ least, and the line numbers right-aligned.
    const int fileWidth =
        std::min(area.width() / 5, option.fontMetrics.averageCharWidth() * placeColumnChars);
    const int lineWidth = option.fontMetrics.horizontalAdvance(u"0000000"_s);
    QColor placeColour = option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    placeColour.setAlphaF(0.65f);
    painter->setPen(placeColour);
    painter->drawText(QRect(area.left(), area.top(), fileWidth, area.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(file, Qt::ElideMiddle, fileWidth));
    painter->drawText(QRect(area.left() + fileWidth, area.top(), lineWidth, area.height()),
                      Qt::AlignRight | Qt::AlignVCenter, QLocale().toString(line));
    return area.left() + fileWidth + lineWidth + placeGap;
}

void ContextLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

    QRect area = option.rect.adjusted(4, 0, -4, 0);
    painter->save();
    const QColor textColour = option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text);
    if (const QVariant file = index.data(ContextsModel::FileRole); file.isValid())
        area.setLeft(drawPlace(painter, option, area, file.toString(),
                               index.data(ContextsModel::LineRole).toLongLong()));
    painter->setPen(textColour);
    const int column = area.left() + area.width() * 2 / 5;
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const QString match = index.data(ContextsModel::MatchRole).toString();
    // Whole pixels rounded up: the advance rounded to the nearest can be narrower than
    // the eliding below measures, and "the" would be shown as "t…".
    const int matchWidth = std::min(int(std::ceil(QFontMetricsF(bold).horizontalAdvance(match))),
                                    area.right() - column);

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
