#pragma once

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

// A small floating panel showing a word and its count. It never takes the focus, so
// the views keep receiving the pointer while it follows the hovered word.
class InfoPanel : public QWidget
{
    Q_OBJECT

public:
    explicit InfoPanel(QWidget *parent = nullptr);

    QLabel *wordField() const { return m_wordField; }
    QLabel *countField() const { return m_countField; }

    // Shows the panel without activating it, fills both fields (a long word cut, as
    // panelWord() says), fits each to its text and widens or narrows the panel by the
    // change of the wider field, leaving its place on screen unchanged.
    void showWord(const QString &word, int count);

private:
    QLabel *m_wordField;  // owned through Qt's parent-child tree
    QLabel *m_countField; // owned through Qt's parent-child tree
};
