#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The files of a corpus as a list to choose from: each file's name, how many words it
// holds (as the analysis counts them, once known) and whether it is included in the
// next analysis, a check box the user toggles. All files start included.
class CorpusFileModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { File, Words, ColumnCount };

    explicit CorpusFileModel(QObject *parent = nullptr);

    // The corpus's files by their names as read; none for a text of its own.
    void setFiles(const QStringList &names);
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
    QString wordsText(int row) const;

    QStringList m_names;            // as read
    QStringList m_shownNames;       // below the folder they share, escaped
    std::vector<qsizetype> m_words; // -1 while not known
    std::vector<bool> m_included;
};

// The names of a corpus's files as a list shows them: below the folder all of them
// share ("chapters/one.txt" and "chapters/later/two.txt" as "one.txt" and
// "later/two.txt"), whole when they share none.
QStringList namesBelowSharedFolder(const QStringList &names);
