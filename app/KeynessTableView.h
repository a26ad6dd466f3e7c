#pragma once

#include <QTableView>

// The table of compared words, whose selected rows Edit ▸ Copy copies as tab-separated
// lines under a line of column names, the numbers in full and unformatted, for a
// spreadsheet.
class KeynessTableView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

public slots:
    void copy();
};
