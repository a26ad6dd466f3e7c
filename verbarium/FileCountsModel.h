#pragma once

#include "OccurrenceSpread.h"

#include <QAbstractTableModel>
#include <memory>

// A sequence's count in each file of a corpus, one row a file in the corpus's order:
// the file, the count, and the count per 10,000 of the file's words. The display role
// says them as the reader reads numbers; SortRole gives the numbers themselves, so that
// a sort by a column sorts 9 before 10.
class FileCountsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FileColumn, CountColumn, RateColumn, ColumnCount };
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setSpread(std::shared_ptr<const OccurrenceSpread> spread);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Per 10,000 words of the file; none for a file without words.
    std::optional<double> rateOf(int row) const;

    std::shared_ptr<const OccurrenceSpread> m_spread;
};
