#include "TreeInput.h"

#include "VerbariumView.h"

#include <QMouseEvent>
#include <algorithm>

std::optional<TreeKey> treeKeyOf(const QKeyEvent &event, WordSide side)
{
    switch (event.key()) {
    case Qt::Key_Right:
    case Qt::Key_Left: {
        if (side == WordSide::BetweenBoth)
            return TreeKey{TreeKeyAction::Step, event.key() == Qt::Key_Right
                                                    ? TreeStep::FirstChild
                                                    : TreeStep::FirstChildBefore};
        // Followers stand to the right, the words before to the left.
        const bool towardsFollowers = (event.key() == Qt::Key_Right) != (side == WordSide::Before);
        return TreeKey{TreeKeyAction::Step,
                       towardsFollowers ? TreeStep::FirstChild : TreeStep::Parent};
    }
    case Qt::Key_Up:
        return TreeKey{TreeKeyAction::Step, TreeStep::PreviousSibling};
    case Qt::Key_Down:
        return TreeKey{TreeKeyAction::Step, TreeStep::NextSibling};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TreeKey{(event.modifiers() & Qt::ShiftModifier) ? TreeKeyAction::Restart
                                                               : TreeKeyAction::ReRoot};
    case Qt::Key_Menu:
        return TreeKey{TreeKeyAction::Restart};
    case Qt::Key_Backspace:
        return TreeKey{TreeKeyAction::Back};
    default:
        return std::nullopt;
    }
}

int focusOnNewPicture(const VerbariumPicture *old, int focused, const VerbariumPicture &next,
                      bool awaited)
{
    if (focused < 0)
        return awaited ? 0 : -1;
    if (old && next.tree == old->tree && next.beforeTree == old->beforeTree &&
        next.startNode == old->startNode) {
        const PlacedWord &was = old->words[std::size_t(focused)];
        const auto same = std::ranges::find_if(next.words, [&was](const PlacedWord &word) {
            return word.node == was.node && word.before == was.before;
        });
        if (same != next.words.end())
            return int(same - next.words.begin());
    }
    return 0;
}

TreeInput::TreeInput(VerbariumView *view)
    : QObject(view)
    , m_view(view)
{
    view->installEventFilter(this);
}

bool TreeInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_view)
        return false;
    if (event->type() == QEvent::KeyPress)
        return takeKey(*static_cast<QKeyEvent *>(event));
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const int hit = m_view->wordAt(mouse->position());
    if (mouse->button() == Qt::LeftButton)
        m_view->chooseWord(hit);
    else if (mouse->button() == Qt::RightButton)
        m_view->restartFromWord(hit);
    // Taken here, rather than handed on to the view's parents.
    return true;
}

bool TreeInput::takeKey(const QKeyEvent &event)
{
    const std::optional<TreeKey> key = treeKeyOf(event, m_view->sideOf(m_view->focusedWord()));
    if (!key)
        return false;
    switch (key->action) {
    case TreeKeyAction::Step:
        if (m_view->picture())
            m_view->focusWord(stepInOutline(m_view->outline(), m_view->focusedWord(), key->step));
        break;
    case TreeKeyAction::ReRoot:
        m_view->chooseWord(m_view->focusedWord());
        break;
    case TreeKeyAction::Restart:
        m_view->restartFromWord(m_view->focusedWord());
        break;
    case TreeKeyAction::Back:
        m_view->goBack();
        break;
    }
    return true;
}
