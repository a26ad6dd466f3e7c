#pragma once

#include "ContextsQuery.h"
#include "LayerHostWidget.h"
#include "PictureFitting.h"
#include "PictureOutline.h"
#include "ResizeSettling.h"
#include "ShownPicture.h"
#include "TextLayer.h"
#include "TokensHoldingWord.h"
#include "TreeChoices.h"
#include "TreeInput.h"
#include "VerbariumLayout.h"

#include <memory>
#include <optional>

class QScrollArea;
class TextIndex;
class WordFocus;

// The verbarium of a chosen word (or phrase): asks for the tree of the word sequences
// that follow it, or of those that come before it (drawn mirrored, the word at the
// right), shows the tree it is given from a start node, and answers the pointer: a left
// click re-roots the display, a right click restarts from the clicked word, hovering
// reports counts; the keyboard walks the shown tree (see TreeInput and WordFocus). The node
// clicked or focused last (the root at first) asks for its contexts. Trees are grown
// elsewhere, on a worker: meanwhile the view keeps taking events and shows what it is
// told (the busy cursor, what it waits for).
//
// Both sides shows the words before the start at its left, mirrored, and the words after
// it at its right. A click on a word of one side chooses its branch: the start grows by
// the words down to it, so that the side goes on from there and the other side shows
// only the occurrences passing through it; Back undoes the last choice.
class VerbariumView : public LayerHostWidget
{
    Q_OBJECT

public:
    explicit VerbariumView(QWidget *parent = nullptr);
    ~VerbariumView() override;

    // The scroll area holding this view, not owned; may be left unset.
    void setScrollView(QScrollArea *scrollView) { m_fitting.setScrollView(scrollView); }

    // Brings the window forward and asks for the word's tree.
    void startWithWord(const QString &word) { startWithPhrase({word}); }
    // The same for a phrase of several words (a single one is a word).
    void startWithPhrase(const QStringList &phrase);
    // Whether trees show the words before their start rather than those after; switching
    // grows the shown start's tree the other way.
    bool wordsBefore() const { return m_choices.wordsBefore(); }
    void setWordsBefore(bool before);
    // Whether trees show both sides of their start; switching grows the shown start's
    // trees anew.
    bool bothSides() const { return m_choices.bothSides(); }
    void setBothSides(bool on);
    // Displays node of the tree on screen.
    void displayVerbariumFromNode(Node node);
    // The files of the text's corpus, for the numbers of its words; 1 for a text of its own.
    void setFileCount(qsizetype files);

    // Whether pictures are laid out with room for every word: each band as tall as what
    // it holds, the view as tall as the bands, scrolled to the start word. Switching
    // redisplays the picture on screen from the window's visible area.
    bool roomForEveryWord() const { return m_fitting.roomForEveryWord(); }
    void setRoomForEveryWord(bool on);

    // The picture on screen and the tree it shows; none before the first start and after
    // a new text.
    const std::optional<VerbariumPicture> &picture() const { return m_shown.picture(); }
    // The picture's word at index, null when there is none.
    const PlacedWord *placedWord(int index) const { return m_shown.word(index); }
    // The picture with what its trees grew from.
    const ShownPicture &shown() const { return m_shown; }
    std::shared_ptr<const VerbariumTree> root() const
    {
        return picture() ? picture()->tree : nullptr;
    }
    // What the view says where a tree would be: that it waits, or why there is none.
    const QString &message() const { return m_message; }
    // The shown tree's outline, and the index of the word with the keyboard focus in
    // the picture's words (−1 for none).
    const PictureOutline &outline() const { return m_shown.outline(); }
    int focusedWord() const;
    // Counts the pictures shown, so that what describes a picture can tell it is old.
    quint64 generation() const { return m_generation; }
    // The word under a point in widget coordinates, −1 elsewhere.
    int wordAt(QPointF widgetPoint) const;
    // Where the picture's word at index is, in widget coordinates.
    QRect wordRect(int index) const;
    // Moves the keyboard focus to the word, shows it and tells of it.
    void focusWord(int index);
    // Whether the picture shows the words before: drawn from right to left.
    bool mirrored() const { return m_shown.mirrored(); }
    // Where the picture's word at index stands: which way the keys walk from it.
    WordSide sideOf(int index) const { return m_shown.sideOf(index); }
    // What a click and a right click on the word at index do.
    void chooseWord(int index);
    void restartFromWord(int index);

public slots:
    // Starts with what was typed, cut into words and lower-cased as the text is: a word,
    // or a phrase of several; whitespace alone asks for nothing.
    void start(const QString &typedWord);
    void startAtStartNode();
    // Back: undoes the last choice of both sides, or shows the start word's tree again.
    void goBack();
    // Redisplays for the window's new size once a resize has come to rest.
    void refitAfterResize();
    // Shows a tree from its root, or the word alone when nothing follows it: index is what
    // it grew from, forward the text's own index, holding the longer tokens that hold a
    // start of one word.
    void showTree(const std::shared_ptr<const VerbariumTree> &tree,
                  const std::shared_ptr<const TextIndex> &index,
                  const std::shared_ptr<const TextIndex> &forward,
                  const QList<HoldingToken> &holding);
    // Shows both sides of a start from their roots: after grown from forward, the text's
    // own index, before from indexBefore.
    void showBothSides(const std::shared_ptr<const VerbariumTree> &after,
                       const std::shared_ptr<const VerbariumTree> &before,
                       const std::shared_ptr<const TextIndex> &forward,
                       const std::shared_ptr<const TextIndex> &indexBefore,
                       const QList<HoldingToken> &holding);
    // The picture goes: no tree of it is shown again.
    void showNoTree();
    // Shows message where the tree would be, at once; an empty one clears it.
    void showMessage(const QString &message);
    // While a tree is on its way, the busy cursor.
    void setBusy(bool busy);

signals:
    // The tree of what follows the phrase (a word or several), or of what comes before.
    void treeAsked(const QStringList &phrase, bool before);
    // The trees of both sides of the phrase.
    void bothSidesAsked(const QStringList &phrase);
    // The words leading to the displayed start node, each followed by a space.
    void parentWordsChanged(const QString &path);
    // The start asked for, or gone back to, as the reader reads it: what the Start
    // field shows.
    void startChanged(const QString &start);
    // A new picture is on screen, or none since a new text.
    void pictureChanged();
    // counts: how often the word's sequence occurs and the branches below it, in words;
    // note: what they leave unsaid (followers left out of the tree), or empty.
    void wordHovered(const QString &word, const QString &counts, const QString &note);
    // The keyboard focus moved to word, shown at screenRect (global coordinates).
    void wordFocused(const QString &word, const QString &counts, const QString &note,
                     const QRect &screenRect);
    // A node was clicked or focused, or a new tree's root is shown: its
    // contexts are asked for. An empty query (no index) when no tree is shown.
    void contextsAsked(const ContextsQuery &query);

protected:
    QString placeholderMessage() const override { return m_message; }
    QRect focusedWordRect() const override;
    void showEvent(QShowEvent *event) override;

private:
    void askForContexts(Node node, bool before = false);
    void ask(const TreeChoices::Request &request);
    void chooseOnBothSides(int index);
    void display(std::shared_ptr<const VerbariumTree> tree, Node node);
    void display(FittedPicture fitted);
    // Lays the shown display out again in the view as it is now.
    void layOutAgain();
    void showPicture(FittedPicture fitted);
    // Shows the tree or trees just grown, from their root, laid out in the visible area.
    void showNewPicture(FittedPicture fitted);
    void scrollToStartWord();

    ShownPicture m_shown; // what the layers show
    TreeChoices m_choices;
    WordFocus *m_focus; // child
    quint64 m_generation = 0;

    PictureFitting m_fitting{this};
    // The visible area (or window) whose resizes end in a redisplay.
    ResizeSettling m_resizes;
    QString m_message; // what the view says instead of a tree: a wait, or why none
};
