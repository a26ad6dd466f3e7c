#pragma once

#include "NodeFiles.h"

#include <QObject>
#include <QRect>

class VerbariumView;
struct PlacedWord;
struct VerbariumPicture;

// The keyboard's focus on a word of a verbarium view's picture, and the pointer hovering
// over its words. Whatever brings the keyboard to the view (Tab, the window coming
// forward, a word chosen in the cloud) puts it on a word, so that the first arrow already
// moves in the tree and a screen reader says where it is; a click chooses its own word.
// The panel tells of the focused word only when the keyboard itself moved to it.
class WordFocus : public QObject
{
    Q_OBJECT

public:
    // Watches view's focus and pointer; view owns this.
    explicit WordFocus(VerbariumView *view);

    // The index of the focused word in the picture's words, −1 for none.
    int word() const { return m_word; }
    // Moves the focus to the word at index, when the picture has it; told: the panel
    // tells of it too.
    void moveTo(int index, bool told);
    // The view's picture is about to be replaced by next (old: the one shown, if any):
    // the focus stays on its word when the same display is laid out anew, else it goes
    // on with the start word.
    void pictureComing(const VerbariumPicture *old, const VerbariumPicture &next);
    // The picture announced by pictureComing is on screen: the focus goes back on it.
    void pictureShown();
    // No picture: no word has the focus.
    void clear() { m_word = -1; }
    // The files of the text's corpus, which the numbers of a word count; 1 for a text
    // of its own.
    void setFileCount(qsizetype files) { m_nodeFiles.setFileCount(files); }

signals:
    // The focus moved to the word at index; the view brings it into sight.
    void moved(int index);
    // The keyboard focus moved to word, shown at screenRect (global coordinates); counts
    // and note as for hovering.
    void wordFocused(const QString &word, const QString &counts, const QString &note,
                     const QRect &screenRect);
    // counts: how often the word's sequence occurs and the branches below it, in words;
    // note: what they leave unsaid (followers left out of the tree), or empty.
    void wordHovered(const QString &word, const QString &counts, const QString &note);
    // The pointer is over none of the picture's words.
    void hoverEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Description
    {
        QString word, counts, note;
    };
    Description describe(const PlacedWord &word);
    void focusArrived(Qt::FocusReason reason);
    void hover(QPointF widgetPoint);

    VerbariumView *m_view; // non-owning: the view this is a child of
    int m_word = -1;
    int m_comingWord = -1;        // where pictureShown puts the focus
    bool m_awaitsPicture = false; // the keyboard came before the picture
    bool m_told = true;           // whether the panel tells of the focused word
    NodeFiles m_nodeFiles;
};
