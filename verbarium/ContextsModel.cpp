#include "ContextsModel.h"

#include "TextIndex.h"

void ContextsModel::setLines(QString text, std::shared_ptr<const TextIndex> index,
                             std::vector<quint32> firsts, quint32 length)
{
    beginResetModel();
    m_text = std::move(text);
    m_index = std::move(index);
    m_firsts = std::move(firsts);
    m_length = length;
    endResetModel();
}

void ContextsModel::clear()
{
    setLines({}, nullptr, {}, 0);
}

int ContextsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_firsts.size());
}

QVariant ContextsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ContextLine line = lineAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString(line.left + line.match + line.right);
    case LeftRole:
        return line.left;
    case MatchRole:
        return line.match;
    case RightRole:
        return line.right;
    default:
        return {};
    }
}

ContextLine ContextsModel::lineAt(int row) const
{
    return contextLine(m_text, m_index->tokens(), m_firsts[std::size_t(row)], m_length,
                       contextWidth);
}

TextSpan ContextsModel::spanAt(int row) const
{
    return spanOfRun(m_index->tokens(), m_firsts[std::size_t(row)], m_length);
}
