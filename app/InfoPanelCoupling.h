#pragma once

#include <QObject>
#include <QPointer>

class InfoPanel;
class LayerHostWidget;
class QWindow;
class VerbariumView;
class WordCloudView;

// Shows the info panel for the word the pointer is on, beside the pointer, or for the
// word with the keyboard's focus, beside the word; and hides it once it would speak of
// something no longer in front of the reader: the pointer left the word or the view,
// the picture changed (a re-root, a new tree), it was zoomed, or another window came
// forward.
class InfoPanelCoupling : public QObject
{
    Q_OBJECT

public:
    // The panel and the views belong to the user-interface description and outlive
    // this object.
    InfoPanelCoupling(InfoPanel *panel, WordCloudView *cloudView, VerbariumView *verbariumView,
                      QObject *parent = nullptr);

    // What a new analysis makes a word of the old text.
    void hide();

private:
    void showHovered(LayerHostWidget *view, const QString &word, const QString &counts,
                     const QString &note);
    void showFocused(LayerHostWidget *view, const QString &word, const QString &counts,
                     const QString &note, const QRect &place);
    void endHover();
    void takeFocusWindow(QWindow *window);

    InfoPanel *m_panel;
    // The window whose word the panel shows; none while hidden.
    QPointer<QWidget> m_shownFor;
    bool m_byPointer = false; // shown for the pointer rather than the keyboard
};
