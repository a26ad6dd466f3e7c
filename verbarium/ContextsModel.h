#pragma once

#include "ContextLines.h"
#include "TextPlaces.h"

#include <QAbstractListModel>
#include <QString>
#include <memory>
#include <vector>

class TextIndex;

// The lines of the contexts pane: one per occurrence, made from the text when a view
// asks for it, so that a million and more of them cost no more than their positions.
// The display role is the whole line as plain text; the three roles give its parts. In a
// corpus of several files, every line also has its file and its line there, which
// screen readers hear before the line.
class ContextsModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { LeftRole = Qt::UserRole + 1, MatchRole, RightRole, FileRole, LineRole };
    // Characters of context on either side of an occurrence.
    static constexpr qsizetype contextWidth = 80;

    using QAbstractListModel::QAbstractListModel;

    // The runs of length tokens from firsts, in that order, read from text through the
    // spans of its index's tokens; places, for a corpus, find their files.
    void setLines(QString text, std::shared_ptr<const TextPlaces> places,
                  std::shared_ptr<const TextIndex> index, std::vector<quint32> firsts,
                  quint32 length);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    ContextLine lineAt(int row) const;
    // Where the row's occurrence stands in the text.
    TextSpan spanAt(int row) const;
    // Whether the lines come from more than one file, which then name theirs.
    bool namesFiles() const { return m_places && m_places->files().size() > 1; }
    // The file and line of the row's occurrence; only where namesFiles().
    FilePlace placeAt(int row) const;
    const std::shared_ptr<const TextPlaces> &places() const { return m_places; }
    const QString &text() const { return m_text; }
    const std::vector<quint32> &firsts() const { return m_firsts; }
    quint32 length() const { return m_length; }

private:
    QString m_text;
    std::shared_ptr<const TextPlaces> m_places;
    std::shared_ptr<const TextIndex> m_index;
    std::vector<quint32> m_firsts;
    quint32 m_length = 0;
};
