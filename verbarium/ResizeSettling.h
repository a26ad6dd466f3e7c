#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <optional>

class QWidget;

// Watches the area a view is seen through (a scroll area's viewport, or its window) and
// says when its resizes have come to rest, so that the view lays its picture out once
// for the new size rather than at every step of a drag. It also keeps whether a part of
// the view (the start word) was in sight before the first resize, so that the view can
// keep it there.
class ResizeSettling : public QObject
{
    Q_OBJECT

public:
    // keptPart: the part of the view to keep in sight, in the view's coordinates; none
    // while there is nothing to keep.
    ResizeSettling(QWidget *view, std::function<std::optional<QRect>()> keptPart);

    // Watches area from now on; none, or the view itself (which resizes itself on every
    // display), for nothing.
    void watch(QWidget *area);
    // Whether the kept part was in sight before the resizes last settled; asked once.
    bool takeKeptPartWasInSight() { return std::exchange(m_keptPartInSight, false); }

signals:
    void settled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_view; // non-owning: the view outlives this, its member
    std::function<std::optional<QRect>()> m_keptPart;
    QPointer<QWidget> m_watched;
    QTimer m_settling;
    bool m_keptPartInSight = false;
};
