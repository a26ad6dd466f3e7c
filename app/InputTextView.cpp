#include "InputTextView.h"

#include "LongTextDocument.h"
#include "ReleaseOnWorker.h"
#include "TextPieces.h"

#include <QElapsedTimer>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextDocument>
#include <QThread>
#include <QUrl>

namespace {

// Texts up to this many code units go in at once, in well under a tenth of a second.
constexpr qsizetype immediateLength = 256 * 1024;
// How long one event-loop turn may spend inserting pieces.
constexpr qint64 turnBudgetMs = 40;

// The local files and folders dropped, in the order given; none when any is not local.
QStringList localFilesOf(const QMimeData *data)
{
    QStringList paths;
    if (!data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

InputTextView::InputTextView(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_documentJob(this, tr("There is not enough memory to put this text into the editor."))
{
    m_fillTimer.setInterval(0);
    connect(&m_fillTimer, &QTimer::timeout, this, &InputTextView::fillSome);
    connect(document(), &QTextDocument::contentsChanged, this, &InputTextView::documentChanged);
}

void InputTextView::replaceText(const QString &text)
{
    dropDocumentJob();
    releaseLongText();
    if (text.size() > m_longTextLength) {
        holdLongText(text);
        return;
    }
    if (text.size() <= immediateLength) {
        setPlainText(text);
        return;
    }
    clear();
    m_scrollToStart = true;
    startFilling(QTextCursor(document()), text, text);
}

void InputTextView::holdLongText(const QString &text)
{
    clear();
    releaseOnWorker(std::exchange(m_heldText, text));
    m_holdsText = true;
    m_holdsLongText = true;
    updateReadOnly();
    emit longTextChanged(text);
}

void InputTextView::releaseLongText()
{
    if (!m_holdsLongText)
        return;
    m_holdsLongText = false;
    updateReadOnly();
    emit longTextChanged(QString());
}

void InputTextView::editLongText()
{
    if (!m_holdsLongText || m_documentJob.isRunning())
        return;
    m_filling = true;
    updateReadOnly();
    const qsizetype total = m_heldText.size();
    emit fillProgress(0, total);
    m_documentJob.start(
        [text = m_heldText, owner = thread()](std::stop_token stop,
                                              JobReport<BuiltDocumentPointer> &report) {
            return BuiltDocumentPointer(
                longTextDocument(text, owner, std::move(stop),
                                 [&report](qsizetype done, qsizetype total) {
                                     report.setProgress(int(1000 * done / total));
                                 })
                    .release());
        },
        {[this](BuiltDocumentPointer document) { takeLongTextDocument(std::move(document)); },
         [this](const QString &message) {
             m_filling = false;
             updateReadOnly();
             emit fillFinished();
             emit longTextNotEditable(message);
         },
         [this, total](int permille) { emit fillProgress(total * permille / 1000, total); }});
}

void InputTextView::DeleteLater::operator()(QTextDocument *document) const
{
    document->deleteLater();
}

void InputTextView::takeLongTextDocument(BuiltDocumentPointer built)
{
    // The editor deletes the document it made itself when it takes another.
    const QPointer<QTextDocument> old = document();
    QTextDocument *taken = built.release();
    releaseLongText();
    setDocument(taken);
    // This one is the view's, as was the last one it took.
    taken->setParent(this);
    if (old && old->parent() == this)
        delete old;
    connect(taken, &QTextDocument::contentsChanged, this, &InputTextView::documentChanged);
    taken->setUndoRedoEnabled(true);
    m_filling = false;
    updateReadOnly();
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    emit fillFinished();
}

void InputTextView::dropDocumentJob()
{
    if (!m_documentJob.isRunning())
        return;
    m_documentJob.drop();
    m_filling = false;
    updateReadOnly();
    emit fillFinished();
}

QString InputTextView::text() const
{
    return m_holdsText ? m_heldText : toPlainText();
}

qsizetype InputTextView::textLength() const
{
    // The document counts a paragraph separator after its last paragraph.
    return m_holdsText ? m_heldText.size() : document()->characterCount() - 1;
}

void InputTextView::insertFromMimeData(const QMimeData *source)
{
    // The paste slot comes here whatever the view's state; a long paste would go in
    // without the editor's own check. Qt 6.4's editor reads the first format of what
    // is pasted without asking whether there is one: an empty clipboard would crash it.
    if (isReadOnly() || source->formats().isEmpty())
        return;
    // Into an empty view, a text too long to edit is held like an imported one.
    if (source->hasText() && textLength() == 0 && source->text().size() > m_longTextLength) {
        replaceText(source->text());
        return;
    }
    if (!source->hasText() || source->text().size() <= immediateLength) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString inserted = source->text();
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    const qsizetype position = cursor.position();
    const QString before = text();
    m_scrollToStart = false;
    // Into an empty view the whole text is the inserted one: no copy of it is made.
    startFilling(cursor, inserted,
                 before.isEmpty() ? inserted
                                  : before.left(position) + inserted + before.mid(position));
}

void InputTextView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragEnterEvent(event);
}

void InputTextView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragMoveEvent(event);
}

void InputTextView::dropEvent(QDropEvent *event)
{
    if (const QStringList paths = localFilesOf(event->mimeData()); !paths.isEmpty()) {
        event->acceptProposedAction();
        emit filesDropped(paths);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

void InputTextView::startFilling(const QTextCursor &cursor, const QString &text, QString wholeText)
{
    m_heldText = std::move(wholeText);
    m_holdsText = true;
    m_pending = text;
    m_filled = 0;
    m_fillCursor = cursor;
    // An undo record of a long text would double its memory; the text is kept whole
    // above while it goes in.
    document()->setUndoRedoEnabled(false);
    m_filling = true;
    updateReadOnly();
    emit fillProgress(0, m_pending.size());
    if (!m_fillPaused)
        m_fillTimer.start();
}

void InputTextView::setFillPaused(bool paused)
{
    m_fillPaused = paused;
    if (!m_filling)
        return;
    if (paused)
        m_fillTimer.stop();
    else
        m_fillTimer.start();
}

void InputTextView::setAwaitingText(bool awaiting)
{
    m_awaitingText = awaiting;
    updateReadOnly();
}

void InputTextView::setShowsCorpus(bool corpus)
{
    m_showsCorpus = corpus;
    updateReadOnly();
}

void InputTextView::updateReadOnly()
{
    setReadOnly(m_filling || m_holdsLongText || m_awaitingText || m_showsCorpus);
}

void InputTextView::fillSome()
{
    QElapsedTimer turn;
    turn.start();
    m_fillingDocument = true;
    while (m_filled < m_pending.size() && turn.elapsed() < turnBudgetMs) {
        const qsizetype end = pieceEnd(m_pending, m_filled);
        m_fillCursor.insertText(m_pending.sliced(m_filled, end - m_filled));
        m_filled = end;
    }
    m_fillingDocument = false;
    emit fillProgress(m_filled, m_pending.size());
    if (m_filled == m_pending.size())
        finishFilling();
}

void InputTextView::endFilling()
{
    m_filling = false;
    m_fillTimer.stop();
    m_pending.clear();
    document()->setUndoRedoEnabled(true);
    updateReadOnly();
}

void InputTextView::finishFilling()
{
    endFilling();
    if (m_scrollToStart) {
        moveCursor(QTextCursor::Start);
        verticalScrollBar()->setValue(0);
    } else {
        setTextCursor(m_fillCursor);
    }
    emit fillFinished();
}

void InputTextView::documentChanged()
{
    if (m_fillingDocument)
        return;
    // Changed by another hand: the held text is out of date, and a text still going in
    // has been overtaken.
    m_holdsText = false;
    m_heldText.clear();
    releaseLongText();
    if (isFilling()) {
        endFilling();
        emit fillFinished();
    }
}
