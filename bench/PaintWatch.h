#pragma once

#include "VerbariumView.h"

#include <QEvent>
#include <QObject>

// Notes when the view next paints a picture other than the one it showed.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(VerbariumView &view)
        : m_view(view)
    {
        view.installEventFilter(this);
    }
    void expectNewPicture()
    {
        m_oldTree = m_view.root().get();
        m_painted = false;
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_view.root().get() != m_oldTree)
            m_painted = true;
        return false;
    }

private:
    VerbariumView &m_view;
    const VerbariumTree *m_oldTree = nullptr;
    bool m_painted = false;
};
