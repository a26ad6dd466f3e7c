#include "CorpusFileModel.h"

#include "MessageText.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

CorpusFileModel::CorpusFileModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void CorpusFileModel::setFiles(std::vector<TextPart> files)
{
    beginResetModel();
    m_files = std::move(files);
    m_words.assign(m_files.size(), -1);
    m_included.assign(m_files.size(), true);
    endResetModel();
    emit includedChanged();
}

void CorpusFileModel::setWords(const std::vector<int> &files, const std::vector<qsizetype> &words)
{
    Q_ASSERT(files.size() == words.size());
    for (std::size_t index = 0; index < files.size(); ++index)
        m_words[files[index]] = words[index];
    if (!m_files.empty())
        emit dataChanged(this->index(0, File), this->index(rowCount() - 1, Words));
}

bool CorpusFileModel::lacksWordsOf(const std::vector<int> &files) const
{
    return std::any_of(files.begin(), files.end(), [this](int file) { return m_words[file] < 0; });
}

int CorpusFileModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_files.size());
}

int CorpusFileModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString CorpusFileModel::shownName(int row) const
{
    return escapedControls(m_files[std::size_t(row)].name);
}

QString CorpusFileModel::wordsText(int row) const
{
    return m_words[row] < 0 ? tr("counting…") : tr("%L1").arg(m_words[row]);
}

QVariant CorpusFileModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == File ? shownName(row) : wordsText(row);
    case Qt::CheckStateRole:
        if (index.column() == File)
            return m_included[row] ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        // Whole where the column is too narrow.
        return index.column() == File ? shownName(row) : QVariant();
    case Qt::AccessibleTextRole:
        // Screen readers read the row, cell by cell; a table cell's check box goes unsaid.
        if (index.column() == Words)
            return m_words[row] == 1 ? tr("1 word") : tr("%1 words").arg(wordsText(row));
        return m_included[row] ? tr("%1, checked").arg(shownName(row))
                               : tr("%1, not checked").arg(shownName(row));
    case Qt::TextAlignmentRole:
        if (index.column() == Words)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool CorpusFileModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != File || role != Qt::CheckStateRole)
        return false;
    const bool included = value.value<Qt::CheckState>() == Qt::Checked;
    if (m_included[index.row()] == included)
        return true;
    m_included[index.row()] = included;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit includedChanged();
    return true;
}

Qt::ItemFlags CorpusFileModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == File)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant CorpusFileModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == File ? tr("File") : tr("Words");
}
