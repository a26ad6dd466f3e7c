#include "WindowCouplings.h"

#include "InfoPanel.h"
#include "OwnActivationWatch.h"
#include "VerbariumView.h"
#include "WordCloudView.h"

#include <QEvent>
#include <QResizeEvent>

CloudWindowCoupling::CloudWindowCoupling(WordCloudView *view, VerbariumView *treeView,
                                         QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_treeView(treeView)
{}

void CloudWindowCoupling::cloudWindowActivated()
{
    m_view->setMouseTracking(true);
    m_treeView->window()->hide();
}

void CloudWindowCoupling::cloudWindowDeactivated()
{
    m_view->setMouseTracking(false);
}

bool CloudWindowCoupling::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        m_view->scaleLayersToSize(static_cast<QResizeEvent *>(event)->size());
        break;
    case QEvent::WindowActivate:
        cloudWindowActivated();
        break;
    case QEvent::WindowDeactivate:
        cloudWindowDeactivated();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

InputWindowCoupling::InputWindowCoupling(WordCloudView *cloudView, VerbariumView *treeView,
                                         InfoPanel *wordInfoPanel,
                                         OwnActivationWatch &activationWatch, QObject *parent)
    : QObject(parent)
    , m_cloudView(cloudView)
    , m_treeView(treeView)
    , m_wordInfoPanel(wordInfoPanel)
    , m_activationWatch(activationWatch)
{}

void InputWindowCoupling::hideOtherWindows()
{
    m_wordInfoPanel->hide();
    m_cloudView->window()->hide();
    m_treeView->window()->hide();
}

bool InputWindowCoupling::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_activationWatch.takeOwnActivation())
        hideOtherWindows();
    return QObject::eventFilter(watched, event);
}
