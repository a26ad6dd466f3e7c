#include "KeynessTableView.h"

#include "KeynessTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLocale>
#include <algorithm>

namespace {

QString cellText(const QModelIndex &index)
{
    const QVariant value = index.data(KeynessTableModel::sortRole);
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return value.toString();
}

} // namespace

void KeynessTableView::copy()
{
    if (!model() || !selectionModel())
        return;
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    // In the order shown, not the order chosen.
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    QStringList cells;
    for (int column = 0; column < model()->columnCount(); ++column)
        cells << model()->headerData(column, Qt::Horizontal).toString();
    lines << cells.join(u'\t');
    for (const QModelIndex &row : std::as_const(rows)) {
        cells.clear();
        for (int column = 0; column < model()->columnCount(); ++column)
            cells << cellText(row.siblingAtColumn(column));
        lines << cells.join(u'\t');
    }
    QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}
