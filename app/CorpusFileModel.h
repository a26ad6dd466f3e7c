#pragma once

#include "TextFile.h"

#include <QAbstractTableModel>
#include <vector>

// The files of a corpus as a list to choose from: each file's name, how many words it
// holds (as the analysis counts them, once known) and whether it is included in the
// next analysis, a check box the user toggles. All files start included. It holds the
// corpus's files, where each stands in its text included, for whoever chooses among them.
class CorpusFileModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { File, Words, ColumnCount };

    explicit CorpusFileModel(QObject *parent = nullptr);

    // The corpus's files, named as the list shows them; none for a text of its own.
    void setFiles(std::vector<TextPart> files);
    const std::vector<TextPart> &files() const { return m_files; }
    // The words of the files numbered files (their rows), one count each.
    void setWords(const std::vector<int> &files, const std::vector<qsizetype> &words);
    // Whether the file of each row is included.
    const std::vector<bool> &included() const { return m_included; }
    // The rows whose words are not known yet.
    bool lacksWordsOf(const std::vector<int> &files) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void includedChanged();

private:
    QString shownName(int row) const;
    QString wordsText(int row) const;

    std::vector<TextPart> m_files;
    std::vector<qsizetype> m_words; // -1 while not known
    std::vector<bool> m_included;
};
