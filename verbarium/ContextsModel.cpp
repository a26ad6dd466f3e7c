#include "ContextsModel.h"

#include "TextIndex.h"

#include <QLocale>

void ContextsModel::setLines(QString text, std::shared_ptr<const TextPlaces> places,
                             std::shared_ptr<const TextIndex> index, std::vector<quint32> firsts,
                             quint32 length)
{
    beginResetModel();
    m_text = std::move(text);
    m_places = std::move(places);
    m_index = std::move(index);
    m_firsts = std::move(firsts);
    m_length = length;
    endResetModel();
}

void ContextsModel::clear()
{
    setLines({}, nullptr, nullptr, {}, 0);
}

int ContextsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_firsts.size());
}

QVariant ContextsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == FileRole || role == LineRole) {
        if (!namesFiles())
            return {};
        const FilePlace place = placeAt(index.row());
        return role == FileRole ? QVariant(place.file->name) : QVariant(place.line);
    }
    const ContextLine line = lineAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString(line.left + line.match + line.right);
    case Qt::AccessibleTextRole: {
        const QString text = line.left + line.match + line.right;
        if (!namesFiles())
            return text;
        const FilePlace place = placeAt(index.row());
        // In one step: a name holding "%2" must stay as it is.
        return tr("%1, line %2: %3").arg(place.file->name, QLocale().toString(place.line), text);
    }
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
    // A line of a corpus holds nothing of the files beside its own.
    const std::optional<TextSpan> file =
        m_places ? std::optional(m_places->fileSpanOf(spanAt(row).begin)) : std::nullopt;
    return contextLine(m_text, m_index->tokens(), m_firsts[std::size_t(row)], m_length,
                       contextWidth, file);
}

FilePlace ContextsModel::placeAt(int row) const
{
    return m_places->placeOf(spanAt(row).begin);
}

TextSpan ContextsModel::spanAt(int row) const
{
    return spanOfRun(m_index->tokens(), m_firsts[std::size_t(row)], m_length);
}
