#include "FileCountsTable.h"

#include <QHeaderView>

FileCountsTable::FileCountsTable(QWidget *parent)
    : QTableView(parent)
{
    m_sorted.setSourceModel(&m_counts);
    m_sorted.setSortRole(FileCountsModel::SortRole);
    m_sorted.setSortCaseSensitivity(Qt::CaseInsensitive);
    setModel(&m_sorted);
    setSortingEnabled(true);
    sortByColumn(FileCountsModel::FileColumn, Qt::AscendingOrder);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideMiddle);
    verticalHeader()->hide();
    // Thousands of files of one height scroll as smoothly as ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(FileCountsModel::FileColumn, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(FileCountsModel::CountColumn,
                                             QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionResizeMode(FileCountsModel::RateColumn,
                                             QHeaderView::ResizeToContents);
    setAccessibleName(tr("Count in each file"));
    connect(this, &QTableView::activated, this, [this](const QModelIndex &index) {
        emit fileChosen(quint32(m_sorted.mapToSource(index).row()));
    });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
        emit fileChosen(quint32(m_sorted.mapToSource(index).row()));
    });
}

void FileCountsTable::setSpread(std::shared_ptr<const OccurrenceSpread> spread)
{
    m_counts.setSpread(std::move(spread));
}

QSize FileCountsTable::sizeHint() const
{
    return {fontMetrics().averageCharWidth() * 42, QTableView::sizeHint().height()};
}
