#include "InfoPanelCoupling.h"

#include "CountText.h"
#include "InfoPanel.h"
#include "VerbariumView.h"
#include "WordCloudView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>

InfoPanelCoupling::InfoPanelCoupling(InfoPanel *panel, WordCloudView *cloudView,
                                     VerbariumView *verbariumView, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
{
    connect(cloudView, &WordCloudView::wordHovered, this,
            [this, cloudView](const QString &word, int count) {
                showHovered(cloudView, word, timesText(count), QString());
            });
    connect(cloudView, &WordCloudView::wordFocused, this,
            [this, cloudView](const QString &word, int count, const QRect &place) {
                showFocused(cloudView, word, timesText(count), QString(), place);
            });
    connect(verbariumView, &VerbariumView::wordHovered, this,
            [this, verbariumView](const QString &word, const QString &counts, const QString &note) {
                showHovered(verbariumView, word, counts, note);
            });
    connect(verbariumView, &VerbariumView::wordFocused, this,
            [this, verbariumView](const QString &word, const QString &counts, const QString &note,
                                  const QRect &place) {
                showFocused(verbariumView, word, counts, note, place);
            });
    for (LayerHostWidget *view : {static_cast<LayerHostWidget *>(cloudView),
                                  static_cast<LayerHostWidget *>(verbariumView)}) {
        connect(view, &LayerHostWidget::hoverEnded, this, &InfoPanelCoupling::endHover);
        // A zoom moves the word away from the panel beside it.
        connect(view, &LayerHostWidget::zoomChanged, this, &InfoPanelCoupling::hide);
    }
    // A re-root or a new tree: the word shown may be gone, or stand elsewhere.
    connect(verbariumView, &VerbariumView::pictureChanged, this, &InfoPanelCoupling::hide);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &InfoPanelCoupling::takeFocusWindow);
}

void InfoPanelCoupling::hide()
{
    m_panel->hide();
    m_shownFor = nullptr;
}

void InfoPanelCoupling::showHovered(LayerHostWidget *view, const QString &word,
                                    const QString &counts, const QString &note)
{
    m_panel->showWord(word, counts, note);
    m_panel->placeBeside(QRect(QCursor::pos(), QSize(16, 20)));
    m_shownFor = view->window();
    m_byPointer = true;
}

void InfoPanelCoupling::showFocused(LayerHostWidget *view, const QString &word,
                                    const QString &counts, const QString &note, const QRect &place)
{
    m_panel->showWord(word, counts, note);
    m_panel->placeBeside(place);
    m_shownFor = view->window();
    m_byPointer = false;
}

void InfoPanelCoupling::endHover()
{
    if (m_byPointer)
        hide();
}

// The window that comes forward takes the focus from the one whose word the panel
// shows (the focus moving within that window keeps it).
void InfoPanelCoupling::takeFocusWindow(QWindow *window)
{
    if (m_shownFor && window != m_shownFor->windowHandle())
        hide();
}
