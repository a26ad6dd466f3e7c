#pragma once

#include "PictureOutline.h"
#include "VerbariumLayout.h"

#include <QKeyEvent>
#include <QObject>
#include <optional>

class VerbariumView;

// What a key asks of the verbarium's tree: a step to another word, a re-root at the
// focused word (as a click), a restart from it (as a right click), or back to the start.
enum class TreeKeyAction { Step, ReRoot, Restart, Back };
struct TreeKey
{
    TreeKeyAction action;
    TreeStep step = TreeStep::FirstChild; // for a step
};

// Where the focused word stands: among the words after the start (or the start of a
// tree of them), among the words before it (drawn mirrored), or the start word between
// both sides.
enum class WordSide { After, Before, BetweenBoth };

// Arrows walk the tree (Right: first follower, Left: back, Up and Down: the other
// followers of the same word; Left and Right the other way round for the words before,
// drawn mirrored; from the start word between both sides, Left and Right cross to the
// first word of either side); Return re-roots; Shift+Return or the menu key restarts;
// Backspace goes back. None for a key the tree does not take.
std::optional<TreeKey> treeKeyOf(const QKeyEvent &event, WordSide side);

// Where the keyboard's focus goes on a new picture, −1 for nowhere: it stays on its word
// when the same display is laid out anew (the window was resized); on a new display it
// goes on with the start word, as it does where the view took the focus before its first
// picture came (awaited). focused: the word with the focus in old, −1 for none.
int focusOnNewPicture(const VerbariumPicture *old, int focused, const VerbariumPicture &next,
                      bool awaited);

// What the pointer's clicks and the keys ask of a verbarium view's tree: a click re-roots
// at the word, a right click restarts from it, and the keys of the tree (see treeKeyOf)
// walk it and do the same for the focused word. Other events go on to the view.
class TreeInput : public QObject
{
public:
    // Watches view, which owns this.
    explicit TreeInput(VerbariumView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takeKey(const QKeyEvent &event);

    VerbariumView *m_view; // non-owning: the view this is a child of
};
