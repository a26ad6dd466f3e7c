#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>

// Where the windows go on screen; plain geometry, so it can be checked for any screen.

// The client rectangle for a window that would like wanted (its client area) and wears
// a frame of frameMargins: shrunk where the frame does not fit in available, then
// moved the least distance that brings the whole frame inside.
QRect fitInside(const QRect &wanted, const QRect &available, const QMargins &frameMargins);

// The info panel's place: near the top right corner of available, as always, unless
// it would cover keepClear (the verbarium window's path field); then just above
// keepClear, else just below it, where either fits on screen without covering it.
QPoint infoPanelPosition(const QRect &available, const QSize &panelSize, const QRect &keepClear);

class QWidget;

// Keeps the info panel clear of the verbarium window's path field: places it anew
// whenever the verbarium window shows, moves or resizes. Installed on that window.
class InfoPanelPlacer : public QObject
{
    Q_OBJECT

public:
    // All three belong to the user-interface description and outlive this object.
    InfoPanelPlacer(QWidget *panel, QWidget *pathField, QObject *parent = nullptr);

    void place();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_panel;     // non-owning
    QWidget *m_pathField; // non-owning
};
