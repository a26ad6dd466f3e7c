#include "CorpusFileList.h"

#include "CorpusFileModel.h"

#include <QHeaderView>
#include <QKeyEvent>

CorpusFileList::CorpusFileList(QWidget *parent)
    : QTableView(parent)
{
    // Rows of a list, a line of text high, and Tab for the window's next control.
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(tr("Files"));
    setToolTip(tr("Uncheck the files to leave out and press Analyse"));
}

void CorpusFileList::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    horizontalHeader()->setSectionResizeMode(CorpusFileModel::File, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(CorpusFileModel::Words, QHeaderView::ResizeToContents);
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
    QTableView::keyPressEvent(event);
}
