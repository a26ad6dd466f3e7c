#include "VerbariumView.h"

#include "InfoPanel.h"
#include "LowerCase.h"
#include "NodeLayer.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// How long a window's size must stay put before a resize counts as ended.
constexpr int liveResizeSettleMs = 150;

// The words of all ancestors from the root down, each followed by a space.
QString pathText(const Node &node)
{
    QString path;
    for (const Node *ancestor = node.parent(); ancestor; ancestor = ancestor->parent()) {
        path.insert(0, u' ');
        path.insert(0, ancestor->word());
    }
    return path;
}

} // namespace

VerbariumView::VerbariumView(QWidget *parent)
    : LayerHostWidget(parent)
    , m_layout(*rootLayer(), m_measurer)
{
    m_liveResizeEnd.setSingleShot(true);
    m_liveResizeEnd.setInterval(liveResizeSettleMs);
    connect(&m_liveResizeEnd, &QTimer::timeout, this, &VerbariumView::viewDidEndLiveResize);
}

VerbariumView::~VerbariumView() = default;

void VerbariumView::setText(const QString &text)
{
    // Preparing the text takes longer than the analysis itself: leave it to the first
    // start, so the cloud appears without waiting for it.
    m_pendingText = text;
    m_scanner.reset();
}

void VerbariumView::startWithWord(const QString &word)
{
    if (m_parentWords)
        m_parentWords->clear();
    // Before any text the word has no followers, as in an empty text.
    if (!m_scanner)
        m_scanner = std::make_unique<TreeText>(std::exchange(m_pendingText, QString()));
    m_root = m_scanner->growTree(word);
    m_startNode = m_root;

    QWidget *shownWindow = window();
    shownWindow->show();
    shownWindow->raise();
    shownWindow->activateWindow();

    if (m_root->children().empty())
        return; // the previous picture stays, its layers keeping their own tree alive
    updateTrackingAreas();
    displayVerbariumFromNode(m_root);
}

void VerbariumView::start()
{
    if (m_inputField)
        startWithWord(lowerCased(m_inputField->text()));
}

void VerbariumView::startAtStartNode()
{
    if (m_parentWords)
        m_parentWords->clear();
    m_startNode = m_root;
    if (m_root && !m_root->children().empty())
        displayVerbariumFromNode(m_root);
}

void VerbariumView::displayVerbariumFromNode(const std::shared_ptr<Node> &node)
{
    m_startNode = node;
    const QSizeF frame = m_layout.displayVerbariumFromNode(node, QSizeF(size()));
    // Widgets have whole-pixel sizes: round up so every word stays inside the view.
    resize(QSize(int(std::ceil(frame.width())), int(std::ceil(frame.height()))));
    update();
}

void VerbariumView::viewDidEndLiveResize()
{
    const std::shared_ptr<Node> shown = startNode();
    if (!shown || shown->children().empty())
        return;
    growToVisibleArea();
    updateTrackingAreas();
    displayVerbariumFromNode(shown);
}

void VerbariumView::mouseReleaseEvent(QMouseEvent *event)
{
    NodeLayer *hit = nodeLayerAt(event->position());
    if (!hit)
        return;
    if (event->button() == Qt::LeftButton)
        mouseUp(*hit);
    else if (event->button() == Qt::RightButton)
        rightMouseUp(*hit);
}

void VerbariumView::mouseMoveEvent(QMouseEvent *event)
{
    if (NodeLayer *hit = nodeLayerAt(event->position()))
        mouseMoved(*hit);
}

void VerbariumView::showEvent(QShowEvent *event)
{
    LayerHostWidget::showEvent(event);
    watchWindowResizes();
}

bool VerbariumView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::Resize)
        m_liveResizeEnd.start();
    return LayerHostWidget::eventFilter(watched, event);
}

NodeLayer *VerbariumView::nodeLayerAt(QPointF widgetPoint)
{
    // Events come in this widget's own coordinates, whatever the scroll position.
    Layer *hit = rootLayer()->hitTest(viewPointFromWidget(widgetPoint));
    if (!hit || hit->name() == u"mainLayer"_s || hit->name() == u"curve.layer"_s)
        return nullptr;
    return dynamic_cast<NodeLayer *>(hit);
}

void VerbariumView::mouseUp(const NodeLayer &hit)
{
    // The display removes the clicked layer, which may hold the last reference.
    const std::shared_ptr<Node> clicked = hit.sharedNode();
    if (m_parentWords)
        m_parentWords->setText(pathText(*clicked));
    displayVerbariumFromNode(clicked);
}

void VerbariumView::rightMouseUp(const NodeLayer &hit)
{
    const QString word = hit.name();
    startWithWord(word);
}

void VerbariumView::mouseMoved(const NodeLayer &hit)
{
    if (m_wordInfoPanel)
        m_wordInfoPanel->showWord(hit.name(), int(hit.node()->countOfLeaves()));
}

void VerbariumView::updateTrackingAreas()
{
    if (m_root)
        setMouseTracking(true);
}

void VerbariumView::watchWindowResizes()
{
    QWidget *current = window();
    if (current == m_watchedWindow)
        return;
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    // A view that is its own window resizes itself on every display: nothing to watch.
    m_watchedWindow = current == this ? nullptr : current;
    if (m_watchedWindow)
        m_watchedWindow->installEventFilter(this);
}

// The scroll area never resizes the view; a larger window should give the tree the
// room it now has, while a smaller one leaves the view as it is.
void VerbariumView::growToVisibleArea()
{
    if (!m_scrollView)
        return;
    const QSize visible = m_scrollView->viewport()->size();
    resize(size().expandedTo(visible));
}
