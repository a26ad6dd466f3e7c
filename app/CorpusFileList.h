#pragma once

#include <QTreeView>

// The input window's list of a corpus's files beside its text: a row a file with its
// words and a check box saying whether the next analysis includes it. Tab reaches it,
// the arrows walk it and Space toggles the current file.
class CorpusFileList : public QTreeView
{
    Q_OBJECT

public:
    explicit CorpusFileList(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
