#pragma once

#include "FileCountsModel.h"

#include <QSortFilterProxyModel>
#include <QTableView>

// Beside the contexts of a corpus: the sequence's count in each file, sortable by any
// column (numbers as numbers); a click on a row asks for the file's first occurrence.
class FileCountsTable : public QTableView
{
    Q_OBJECT

public:
    explicit FileCountsTable(QWidget *parent = nullptr);

    void setSpread(std::shared_ptr<const OccurrenceSpread> spread);
    const FileCountsModel &counts() const { return m_counts; }

    QSize sizeHint() const override;

signals:
    // The file at this place of the corpus's files was chosen.
    void fileChosen(quint32 file);

private:
    FileCountsModel m_counts;
    QSortFilterProxyModel m_sorted;
};
