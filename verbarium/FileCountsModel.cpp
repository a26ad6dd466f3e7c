#include "FileCountsModel.h"

#include <QLocale>

void FileCountsModel::setSpread(std::shared_ptr<const OccurrenceSpread> spread)
{
    beginResetModel();
    m_spread = std::move(spread);
    endResetModel();
}

int FileCountsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_spread ? 0 : int(m_spread->dispersion.files.size());
}

int FileCountsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::optional<double> FileCountsModel::rateOf(int row) const
{
    const qsizetype words = (*m_spread->fileWords)[std::size_t(row)];
    if (words == 0)
        return std::nullopt;
    return m_spread->dispersion.files[std::size_t(row)].count * 10000.0 / double(words);
}

QVariant FileCountsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Dispersion::File &file = m_spread->dispersion.files[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == FileColumn ? QVariant()
                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    const bool sorting = role == SortRole;
    switch (Column(index.column())) {
    case FileColumn:
        return file.name;
    case CountColumn:
        return sorting ? QVariant(qint64(file.count)) : QVariant(QLocale().toString(file.count));
    case RateColumn: {
        const std::optional<double> rate = rateOf(index.row());
        if (sorting)
            return rate.value_or(-1.0);
        return rate ? QLocale().toString(*rate, 'f', 2) : tr("no words");
    }
    case ColumnCount:
        break;
    }
    return {};
}

QVariant FileCountsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == RateColumn)
        return tr("How often per 10,000 of the file's words");
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (Column(section)) {
    case FileColumn:
        return tr("File");
    case CountColumn:
        return tr("Count");
    case RateColumn:
        return tr("Per 10,000");
    case ColumnCount:
        break;
    }
    return {};
}
