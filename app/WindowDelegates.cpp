#include "WindowDelegates.h"

#include "InfoPanel.h"
#include "OwnActivationWatch.h"
#include "VerbariumView.h"
#include "WordCloudView.h"

#include <QEvent>
#include <QResizeEvent>

SearchWindowDelegate::SearchWindowDelegate(WordCloudView *view, VerbariumView *treeView,
                                           QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_treeView(treeView)
{}

QSizeF SearchWindowDelegate::windowWillResize(const QSizeF &proposedSize)
{
    m_view->scaleLayersToSize(proposedSize);
    return proposedSize;
}

void SearchWindowDelegate::windowDidBecomeKey()
{
    m_view->setMouseTracking(true);
    m_treeView->window()->hide();
}

void SearchWindowDelegate::windowDidResignKey()
{
    m_view->setMouseTracking(false);
}

bool SearchWindowDelegate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        windowWillResize(static_cast<QResizeEvent *>(event)->size());
        break;
    case QEvent::WindowActivate:
        windowDidBecomeKey();
        break;
    case QEvent::WindowDeactivate:
        windowDidResignKey();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

InputWindowDelegate::InputWindowDelegate(WordCloudView *cloudView, VerbariumView *treeView,
                                         InfoPanel *wordInfoPanel,
                                         OwnActivationWatch &activationWatch, QObject *parent)
    : QObject(parent)
    , m_cloudView(cloudView)
    , m_treeView(treeView)
    , m_wordInfoPanel(wordInfoPanel)
    , m_activationWatch(activationWatch)
{}

void InputWindowDelegate::windowDidBecomeKey()
{
    m_wordInfoPanel->hide();
    m_cloudView->window()->hide();
    m_treeView->window()->hide();
}

bool InputWindowDelegate::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_activationWatch.takeOwnActivation())
        windowDidBecomeKey();
    return QObject::eventFilter(watched, event);
}
