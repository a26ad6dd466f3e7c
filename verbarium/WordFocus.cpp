#include "WordFocus.h"

#include "NodeDescription.h"
#include "TreeInput.h"
#include "VerbariumAccessibility.h"
#include "VerbariumView.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>

WordFocus::WordFocus(VerbariumView *view)
    : QObject(view)
    , m_view(view)
{
    view->installEventFilter(this);
}

bool WordFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        focusArrived(static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::FocusOut:
        m_awaitsPicture = false;
        m_view->update();
        break;
    case QEvent::MouseMove:
        // Drags are not hovering.
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            hover(static_cast<QMouseEvent *>(event)->position());
        break;
    default:
        break;
    }
    // The view goes on with the event as its own.
    return false;
}

void WordFocus::focusArrived(Qt::FocusReason reason)
{
    if (reason == Qt::MouseFocusReason)
        return;
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (m_view->picture()) {
        moveTo(m_word >= 0 ? m_word : 0, byKeyboard);
    } else {
        m_awaitsPicture = true;
        m_told = byKeyboard;
    }
}

void WordFocus::moveTo(int index, bool told)
{
    const PlacedWord *word = m_view->placedWord(index);
    if (!word)
        return;
    m_word = index;
    m_told = told;
    emit moved(index);
    // The numbers hovering shows, so the panel says the same whichever way a word is found.
    if (told) {
        const Description said = describe(*word);
        const QRect rect = m_view->wordRect(index);
        emit wordFocused(said.word, said.counts, said.note,
                         QRect(m_view->mapToGlobal(rect.topLeft()), rect.size()));
    }
    verbariumFocusMoved(m_view, index);
}

void WordFocus::hover(QPointF widgetPoint)
{
    // Nothing shows while the application is inactive.
    if (!m_view->hasMouseTracking() || QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    const int hit = m_view->wordAt(widgetPoint);
    if (hit < 0) {
        emit hoverEnded();
        return;
    }
    // Only the panel previews a hovered word: the contexts stay where a click or the
    // keyboard put them, or the pointer on its way down to them would change them under it.
    const Description said = describe(*m_view->placedWord(hit));
    emit wordHovered(said.word, said.counts, said.note);
}

WordFocus::Description WordFocus::describe(const PlacedWord &word)
{
    const ShownPicture &shown = m_view->shown();
    const VerbariumTree &tree = shown.picture()->treeOf(word);
    // On both sides the word says its side, as to a screen reader.
    return {spokenWord(*shown.picture(), word),
            m_nodeFiles.countsOf(tree, word.node, shown.indexOf(word)),
            noteOn(tree, word.node, shown.holding())};
}

void WordFocus::pictureComing(const VerbariumPicture *old, const VerbariumPicture &next)
{
    m_comingWord = focusOnNewPicture(old, m_word, next, m_awaitsPicture);
    m_awaitsPicture = false;
    m_word = -1;
}

void WordFocus::pictureShown()
{
    if (m_comingWord >= 0 && m_view->hasFocus())
        moveTo(m_comingWord, m_told);
}
