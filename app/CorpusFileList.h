#pragma once

#include <QTableView>

// The input window's list of a corpus's files beside its text: a row a file with its
// words and a check box saying whether the next analysis includes it. Tab reaches it,
// the arrows walk it and Space toggles the current file. A table: it keeps nothing of
// its own for each row, where a corpus may have tens of thousands.
class CorpusFileList : public QTableView
{
    Q_OBJECT

public:
    explicit CorpusFileList(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
