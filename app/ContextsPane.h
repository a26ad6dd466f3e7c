#pragma once

#include "ContextLines.h"
#include "ContextsModel.h"
#include "ContextsQuery.h"
#include "VerbariumController.h"

#include <QListView>
#include <QWidget>

class DispersionStrip;
class FileCountsTable;
class QComboBox;
class QLabel;
class QPlainTextEdit;

// The list of the contexts pane; Edit ▸ Copy copies its selected lines as plain text,
// those of a corpus after their file and line, separated by tabs.
class ContextsList : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

public slots:
    void copy();
};

// Below the verbarium: every occurrence of the sequence down to the word the reader
// pointed at, clicked or reached by keyboard, in the text as the user gave it, one line
// each (the text before, the occurrence, the text after), sorted as asked; the passage
// around the selected line below them. Above the lines, a strip shows where the
// occurrences fall across the text; in a corpus of several files each line names its
// file and line there, and a table beside them counts the occurrences in each file.
// The occurrences are found and sorted elsewhere, on a worker: the pane asks for them
// and shows what comes back.
class ContextsPane : public QWidget
{
    Q_OBJECT

public:
    explicit ContextsPane(QWidget *parent = nullptr);
    ~ContextsPane() override;

    // The text of the analysis the verbarium's trees grow from, as the user gave it, and
    // for a corpus where its places stand in its files.
    void setText(const QString &text, std::shared_ptr<const TextPlaces> places = nullptr);
    // Shows the occurrences query asks for; an empty query (no index) shows none. While
    // the pane is hidden, only the last query is kept, and found once it is shown.
    void showContextsOf(const ContextsQuery &query);

    const ContextsModel &model() const { return m_model; }
    ContextsList *list() const { return m_list; }
    QLabel *header() const { return m_header; }
    QComboBox *orderChoice() const { return m_order; }
    QPlainTextEdit *passage() const { return m_passage; }
    // The file and line of the passage, in a corpus of several files.
    QLabel *passagePlace() const { return m_passagePlace; }
    DispersionStrip *strip() const { return m_strip; }
    FileCountsTable *fileCounts() const { return m_fileCounts; }

public slots:
    // The occurrences asked for last, and why there are none.
    void showFound(const FoundContexts &found);
    void showFailure(const QString &message);

signals:
    // The occurrences query asks for are wanted, sorted in order; an empty query (no
    // index) wants none.
    void occurrencesAsked(const ContextsQuery &query, ContextOrder order);
    // The lines shown, of the text whose index is forward, are wanted in another order.
    void resortAsked(const std::shared_ptr<const TextIndex> &forward, const FoundContexts &found,
                     ContextOrder order);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void find();
    void resort();
    void showPassage();
    // Selects the line of the occurrence whose first token is first.
    void selectOccurrence(quint32 first);
    // Selects the first line in the file at this place of the corpus's files.
    void selectFirstIn(quint32 file);
    void showSpread(std::shared_ptr<const OccurrenceSpread> spread);
    ContextOrder order() const;

    QString m_text;
    std::shared_ptr<const TextPlaces> m_places;
    ContextsQuery m_query;
    quint32 m_endedHere = 0; // of the lines shown
    bool m_found = true;     // whether the lines shown are the last query's
    ContextsModel m_model;
    QLabel *m_header; // owned through Qt's parent-child tree, as are the others
    QComboBox *m_order;
    ContextsList *m_list;
    QLabel *m_passagePlace;
    QPlainTextEdit *m_passage;
    DispersionStrip *m_strip;
    FileCountsTable *m_fileCounts;
    std::shared_ptr<const OccurrenceSpread> m_spread; // of the lines shown
};

// The pane's occurrences are found by controller.
void connectContextsPane(ContextsPane &pane, VerbariumController &controller);
