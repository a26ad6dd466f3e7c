#pragma once

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

// The input window's text view. It takes a long text (an import, a paste, a drop) a
// piece per event-loop turn, read-only meanwhile, so the window keeps repainting and
// answering; the whole text is at hand from the start. A dropped file is handed on
// rather than inserted as its name.
class InputTextView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit InputTextView(QWidget *parent = nullptr);

    // Replaces the whole text, as setPlainText does.
    void replaceText(const QString &text);
    // The whole text, including what is still going in.
    QString text() const;
    qsizetype textLength() const;
    bool isFilling() const { return m_filling; }
    // While paused, a long text waits to go in; the view stays read-only meanwhile.
    void setFillPaused(bool paused);

signals:
    // Of total code units, done have gone in.
    void fillProgress(qsizetype done, qsizetype total);
    void fillFinished();
    void fileDropped(const QString &path);

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
    void finishFilling();
    void documentChanged();

    // While valid, the document's whole text, kept so that reading it costs nothing.
    QString m_heldText;
    bool m_holdsText = false;
    bool m_fillingDocument = false; // the document changes by our own hand
    QString m_pending;              // the text being inserted
    qsizetype m_filled = 0;
    QTextCursor m_fillCursor;
    bool m_scrollToStart = false;
    bool m_filling = false;
    bool m_fillPaused = false;
    QTimer m_fillTimer;
};
