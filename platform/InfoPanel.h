#pragma once

#include <QRect>
#include <QWidget>

class QLabel;

// The widths of the info panel's two fields.
struct InfoFieldWidths
{
    qreal word = 0.0;
    qreal count = 0.0;
};

// How much the panel widens (or, negative, narrows) when its fields go from before to
// after: the change of the wider field, with the old widths truncated to whole points,
// the new wider one (the count field's where equal) taken as it is, and the difference
// truncated toward zero.
int infoPanelWidthDelta(InfoFieldWidths before, InfoFieldWidths after);

// Where a panel of panelSize goes beside target (what it must not cover: the pointer's
// spot or a word), all in screen coordinates: below target and to the right of its left
// edge, or above it where there is no room below, moved left and kept inside available.
QPoint infoPanelPosition(const QRect &available, const QSize &panelSize, const QRect &target);

// A small frameless popup showing a word and its count beside the pointer or the word
// with the keyboard focus. It never takes the focus or the pointer's clicks, and it goes
// whenever the application stops being the active one, so it never stands in front of
// another application's window.
class InfoPanel : public QWidget
{
    Q_OBJECT

public:
    explicit InfoPanel(QWidget *parent = nullptr);

    QLabel *wordField() const { return m_wordField; }
    QLabel *countField() const { return m_countField; }

    // Shows the panel without activating it, fills both fields (a long word cut, as
    // panelWord() says; its numbers in words, see CountText.h), fits each to its text and
    // widens or narrows the panel by the change of the wider field. A note (what the
    // numbers leave unsaid) goes on a line of its own below them, the panel as wide and
    // tall as it needs.
    void showWord(const QString &word, const QString &counts, const QString &note = {});
    // Moves the panel beside target (screen coordinates), on target's screen.
    void placeBeside(const QRect &target);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_wordField;  // owned through Qt's parent-child tree
    QLabel *m_countField; // owned through Qt's parent-child tree
    QLabel *m_noteField;  // owned through Qt's parent-child tree
    // The panel's size for the two fields alone: their widths change it as they change.
    QSize m_fieldsSize;
};
