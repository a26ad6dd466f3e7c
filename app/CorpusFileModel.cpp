#include "CorpusFileModel.h"

#include "MessageText.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QStringList namesBelowSharedFolder(const QStringList &names)
{
    if (names.isEmpty())
        return names;
    // The shared folder ends at a slash that every name has at the same place.
    qsizetype shared = names.front().lastIndexOf(u'/') + 1;
    for (const QString &name : names) {
        qsizetype same = 0;
        const qsizetype most = std::min(shared, name.size());
        while (same < most && name[same] == names.front()[same])
            ++same;
        shared = names.front().left(same).lastIndexOf(u'/') + 1;
    }
    QStringList below;
    below.reserve(names.size());
    for (const QString &name : names)
        below.append(name.mid(shared));
    return below;
}

CorpusFileModel::CorpusFileModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void CorpusFileModel::setFiles(const QStringList &names)
{
    beginResetModel();
    m_names = names;
    m_shownNames.clear();
    for (const QString &name : namesBelowSharedFolder(names))
        m_shownNames.append(escapedControls(name));
    m_words.assign(names.size(), -1);
    m_included.assign(names.size(), true);
    endResetModel();
    emit includedChanged();
}

void CorpusFileModel::setWords(const std::vector<int> &files, const std::vector<qsizetype> &words)
{
    Q_ASSERT(files.size() == words.size());
    for (std::size_t index = 0; index < files.size(); ++index)
        m_words[files[index]] = words[index];
    if (!m_names.isEmpty())
        emit dataChanged(this->index(0, File), this->index(rowCount() - 1, Words));
}

bool CorpusFileModel::lacksWordsOf(const std::vector<int> &files) const
{
    return std::any_of(files.begin(), files.end(), [this](int file) { return m_words[file] < 0; });
}

int CorpusFileModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

int CorpusFileModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
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
        return index.column() == File ? m_shownNames[row] : wordsText(row);
    case Qt::CheckStateRole:
        if (index.column() == File)
            return m_included[row] ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        return escapedControls(m_names[row]);
    case Qt::AccessibleTextRole:
        // Screen readers read the row, cell by cell; a table cell's check box goes unsaid.
        if (index.column() == Words)
            return m_words[row] == 1 ? tr("1 word") : tr("%1 words").arg(wordsText(row));
        return m_included[row] ? tr("%1, checked").arg(m_shownNames[row])
                               : tr("%1, not checked").arg(m_shownNames[row]);
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
