#include "KeynessTableModel.h"

#include "KeynessComparison.h"

#include <QLocale>

KeynessTableModel::KeynessTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_minimum(Significance::p01)
{}

KeynessTableModel::~KeynessTableModel() = default;

void KeynessTableModel::setTable(std::shared_ptr<const KeynessTable> table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

void KeynessTableModel::setMinimumLogLikelihood(double minimum)
{
    m_minimum = minimum;
    if (rowCount() > 0)
        emit dataChanged(index(0, Word), index(rowCount() - 1, Word), {Qt::DecorationRole});
}

QString KeynessTableModel::wordAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_table->rows[std::size_t(row)].word : QString();
}

int KeynessTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_table ? 0 : int(m_table->rows.size());
}

int KeynessTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KeynessTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return shownText(index.row(), index.column());
    case sortRole:
        return sortValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == Word ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::DecorationRole:
        if (index.column() != Word || !isSignificant(index.row()))
            return {};
        return m_table->rows[std::size_t(index.row())].logRatio > 0.0 ? KeynessCloud::colorOfA
                                                                      : KeynessCloud::colorOfB;
    case Qt::ToolTipRole:
        if (!isSignificant(index.row()))
            return tr("Not used markedly more in either text");
        return tr("Used markedly more in %1")
            .arg(m_table->rows[std::size_t(index.row())].logRatio > 0.0 ? m_table->names.a
                                                                        : m_table->names.b);
    default:
        return {};
    }
}

QVariant KeynessTableModel::shownText(int row, int column) const
{
    const KeywordRow &keyword = m_table->rows[std::size_t(row)];
    const QLocale locale;
    switch (column) {
    case Word:
        return keyword.word;
    case CountA:
        return locale.toString(qint64(keyword.countA));
    case CountB:
        return locale.toString(qint64(keyword.countB));
    case LogLikelihood:
        return locale.toString(keyword.logLikelihood, 'f', 2);
    case LogRatio:
        return locale.toString(keyword.logRatio, 'f', 2);
    default:
        return {};
    }
}

QVariant KeynessTableModel::sortValue(int row, int column) const
{
    const KeywordRow &keyword = m_table->rows[std::size_t(row)];
    switch (column) {
    case Word:
        return keyword.word;
    case CountA:
        return qint64(keyword.countA);
    case CountB:
        return qint64(keyword.countB);
    case LogLikelihood:
        return keyword.logLikelihood;
    case LogRatio:
        return keyword.logRatio;
    default:
        return {};
    }
}

bool KeynessTableModel::isSignificant(int row) const
{
    const KeywordRow &keyword = m_table->rows[std::size_t(row)];
    return keyword.logLikelihood >= m_minimum && keyword.logRatio != 0.0;
}

QVariant KeynessTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        switch (section) {
        case Word:
            return tr("Word");
        case CountA:
            return m_table ? tr("In %1").arg(m_table->names.a) : tr("In A");
        case CountB:
            return m_table ? tr("In %1").arg(m_table->names.b) : tr("In B");
        case LogLikelihood:
            return tr("Log-likelihood");
        case LogRatio:
            return tr("Log Ratio");
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case CountA:
        case CountB:
            return tr("How often the word occurs in the text");
        case LogLikelihood:
            return tr("How sure the difference is: 3.84 and above is p < 0.05, 6.63 p < 0.01, "
                      "10.83 p < 0.001");
        case LogRatio:
            return tr("How large the difference is: +1 twice as often in %1, −1 twice as often "
                      "in %2")
                .arg(m_table ? m_table->names.a : tr("A"), m_table ? m_table->names.b : tr("B"));
        default:
            return {};
        }
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}
