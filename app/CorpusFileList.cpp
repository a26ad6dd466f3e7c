#include "CorpusFileList.h"

#include "CorpusFileModel.h"

#include <QHeaderView>
#include <QKeyEvent>

CorpusFileList::CorpusFileList(QWidget *parent)
    : QTreeView(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(tr("Files"));
    setToolTip(tr("Uncheck the files to leave out and press Analyse"));
}

void CorpusFileList::setModel(QAbstractItemModel *model)
{
    QTreeView::setModel(model);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(CorpusFileModel::File, QHeaderView::Stretch);
    header()->setSectionResizeMode(CorpusFileModel::Words, QHeaderView::ResizeToContents);
    // Shown for a corpus of several files only; the keyboard arrives on the first, so
    // that Space toggles one at once.
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        const int files = this->model()->rowCount();
        setVisible(files > 1);
        if (files > 0)
            setCurrentIndex(this->model()->index(0, CorpusFileModel::File));
    });
}

void CorpusFileList::keyPressEvent(QKeyEvent *event)
{
    // Space toggles the file's check box from whichever column has the focus.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid()) {
        const QModelIndex file = currentIndex().siblingAtColumn(CorpusFileModel::File);
        const bool checked = file.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        model()->setData(file, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
        return;
    }
    QTreeView::keyPressEvent(event);
}
