#include "FileCountsTable.h"

#include <QHeaderView>

using namespace Qt::Literals::StringLiterals;

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
    // Thousands of files of one height scroll as smoothly as ten, as tight as a list's.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The numbers' columns as wide as their largest numbers, measured once rather than
    // over thousands of rows; the file's name takes the rest.
    QHeaderView *columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionResizeMode(FileCountsModel::FileColumn, QHeaderView::Stretch);
    const int padding = fontMetrics().averageCharWidth() * 2;
    columns->resizeSection(FileCountsModel::CountColumn,
                           std::max(fontMetrics().horizontalAdvance(u"0,000,000"_s),
                                    fontMetrics().horizontalAdvance(tr("Count"))) +
                               padding * 2);
    columns->resizeSection(FileCountsModel::RateColumn,
                           std::max(fontMetrics().horizontalAdvance(u"10,000.00"_s),
                                    fontMetrics().horizontalAdvance(tr("Per 10,000"))) +
                               padding * 2);
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
    return {fontMetrics().averageCharWidth() * 40, QTableView::sizeHint().height()};
}
