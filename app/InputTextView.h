#pragma once

#include "Job.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <memory>
#include <stop_token>

// The input window's text view. It takes a long text (an import, a paste, a drop) a
// piece per event-loop turn, read-only meanwhile, so the window keeps repainting and
// answering; the whole text is at hand from the start. A text too long to edit is held
// without going into the editor at all: the window shows it read-only elsewhere, and
// puts it into the editor only when asked. Dropped files and folders are handed on rather than
// inserted as its name.
class InputTextView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit InputTextView(QWidget *parent = nullptr);

    // Above this many code units a text is held, not edited: the editor would take tens
    // of seconds and several times the text's size in memory to take it in.
    void setLongTextLength(qsizetype length) { m_longTextLength = length; }

    // Replaces the whole text, as setPlainText does.
    void replaceText(const QString &text);
    // Whether the text is held rather than in the editor, which is empty and read-only.
    bool holdsLongText() const { return m_holdsLongText; }
    // Puts a held long text into the editor after all: its document is built on a
    // worker, the view read-only meanwhile (fillProgress tells how far it is).
    void editLongText();
    // The whole text, including what is still going in.
    QString text() const;
    qsizetype textLength() const;
    bool isFilling() const { return m_filling; }
    // While paused, a long text waits to go in; the view stays read-only meanwhile.
    void setFillPaused(bool paused);
    // While a text is on its way to replace this one (an import being read), what the
    // user typed would be lost: the view is read-only meanwhile.
    void setAwaitingText(bool awaiting);
    // A corpus's files joined are shown, not edited: its files' bounds would not follow
    // an edit.
    void setShowsCorpus(bool corpus);
    bool showsCorpus() const { return m_showsCorpus; }

signals:
    // Of total code units, done have gone in.
    void fillProgress(qsizetype done, qsizetype total);
    void fillFinished();
    // Files or folders dropped, in the order given.
    void filesDropped(const QStringList &paths);
    // The text is now held without the editor (text), or back in the editor (empty).
    void longTextChanged(const QString &text);
    // A held long text could not go into the editor (memory ran out); it stays held.
    void longTextNotEditable(const QString &message);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Inserts text at cursor a piece at a time; wholeText is the document's text once
    // it is all in.
    void startFilling(const QTextCursor &cursor, const QString &text, QString wholeText);
    void fillSome();
    // Makes the view editable again, the text in or not.
    void endFilling();
    void finishFilling();
    void documentChanged();
    void holdLongText(const QString &text);
    void releaseLongText();
    // The one place that sets the editor read-only: while a text goes in, is held or is
    // awaited, nothing may edit it.
    void updateReadOnly();
    // A document made on a worker, deleted on the window's thread if it is not taken.
    struct DeleteLater
    {
        void operator()(QTextDocument *document) const;
    };
    using BuiltDocumentPointer = std::unique_ptr<QTextDocument, DeleteLater>;
    // Gives the editor the document built for the held long text.
    void takeLongTextDocument(BuiltDocumentPointer built);
    void dropDocumentJob();

    // While valid, the document's whole text, kept so that reading it costs nothing.
    QString m_heldText;
    bool m_holdsText = false;
    bool m_fillingDocument = false; // the document changes by our own hand
    QString m_pending;              // the text being inserted
    qsizetype m_filled = 0;
    QTextCursor m_fillCursor;
    bool m_scrollToStart = false;
    bool m_filling = false;
    bool m_holdsLongText = false;
    qsizetype m_longTextLength = 8 * 1024 * 1024;
    bool m_fillPaused = false;
    bool m_awaitingText = false;
    bool m_showsCorpus = false;
    QTimer m_fillTimer;
    // A held long text's document being built.
    Job<BuiltDocumentPointer> m_documentJob;
};
