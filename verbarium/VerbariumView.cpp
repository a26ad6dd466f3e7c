#include "VerbariumView.h"

#include "LowerCase.h"
#include "NodeLayer.h"
#include "VerbariumLayers.h"
#include "ViewCoordinates.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// How long a window's size must stay put before a resize counts as ended.
constexpr int liveResizeSettleMs = 150;
// Work shorter than this goes by with the busy cursor alone.
constexpr int progressDelayMs = 500;

// The words of all ancestors from the root down, each followed by a space.
QString pathText(const VerbariumTree &tree, Node node)
{
    QString path;
    for (auto ancestor = tree.parent(node); ancestor; ancestor = tree.parent(*ancestor)) {
        path.insert(0, u' ');
        path.insert(0, tree.word(*ancestor));
    }
    return path;
}

} // namespace

VerbariumView::VerbariumView(QWidget *parent)
    : LayerHostWidget(parent)
{
    m_liveResizeEnd.setSingleShot(true);
    m_liveResizeEnd.setInterval(liveResizeSettleMs);
    connect(&m_liveResizeEnd, &QTimer::timeout, this, &VerbariumView::viewDidEndLiveResize);
    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(progressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, [this] {
        showMessage(m_requests.work() == TreeRequests::Work::Indexing ? tr("Indexing the text…")
                                                                      : tr("Growing the tree…"));
    });
    connect(&m_requests, &TreeRequests::treeReady, this, &VerbariumView::showTree);
    connect(&m_requests, &TreeRequests::treeFailed, this, [this](const QString &message) {
        clearPicture();
        showMessage(message);
    });
    connect(&m_requests, &TreeRequests::workChanged, this, &VerbariumView::showWork);
}

VerbariumView::~VerbariumView() = default;

void VerbariumView::beginText()
{
    m_requests.awaitIndex();
    clearPicture();
    showMessage(QString());
}

void VerbariumView::clearPicture()
{
    m_picture.reset();
    setRootLayer(nullptr);
    emit pictureChanged();
}

void VerbariumView::setIndex(std::shared_ptr<const TextIndex> index)
{
    m_requests.setIndex(std::move(index));
}

void VerbariumView::setIndexFailure(const QString &message)
{
    m_requests.setIndexFailure(message);
    showMessage(message);
}

void VerbariumView::startWithWord(const QString &word)
{
    emit parentWordsChanged(QString());
    QWidget *shownWindow = window();
    shownWindow->show();
    shownWindow->raise();
    shownWindow->activateWindow();
    m_requests.requestTree(word);
    if (!m_requests.failure().isEmpty())
        showMessage(m_requests.failure());
}

void VerbariumView::showTree(const std::shared_ptr<const VerbariumTree> &tree)
{
    // A word without followers is shown alone: the picture of another word, or of
    // another text, would answer a question the user did not ask.
    if (tree->childCount(tree->root()) > 0)
        updateTrackingAreas();
    display(tree, tree->root());
}

void VerbariumView::showWork(TreeRequests::Work work)
{
    if (work == TreeRequests::Work::None) {
        m_progressDelay.stop();
        unsetCursor();
        showMessage(m_requests.failure());
        return;
    }
    setCursor(Qt::BusyCursor);
    if (!m_progressDelay.isActive() && m_message.isEmpty())
        m_progressDelay.start();
}

void VerbariumView::showMessage(const QString &message)
{
    m_message = message;
    update();
}

void VerbariumView::start(const QString &typedWord)
{
    startWithWord(lowerCased(typedWord));
}

void VerbariumView::startAtStartNode()
{
    emit parentWordsChanged(QString());
    const auto tree = root();
    if (tree && tree->childCount(tree->root()) > 0)
        display(tree, tree->root());
}

void VerbariumView::displayVerbariumFromNode(Node node)
{
    display(root(), node);
}

void VerbariumView::display(std::shared_ptr<const VerbariumTree> tree, Node node)
{
    showPicture(layOut(std::move(tree), node));
    if (m_roomForEveryWord)
        scrollToStartWord();
}

void VerbariumView::showPicture(VerbariumPicture picture)
{
    // Widgets have whole-pixel sizes: round up so every word stays inside the view.
    resize(
        QSize(int(std::ceil(picture.viewSize.width())), int(std::ceil(picture.viewSize.height()))));
    setRootLayer(verbariumLayers(picture, picture.viewSize));
    m_picture = std::move(picture);
    emit pictureChanged();
}

void VerbariumView::setRoomForEveryWord(bool on)
{
    if (on == m_roomForEveryWord)
        return;
    m_roomForEveryWord = on;
    // A tall picture stands beside the scroll bar rather than under it.
    if (m_scrollView)
        m_scrollView->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAsNeeded);
    if (!m_picture)
        return;
    // The other layout's picture may have made the view far taller than the window.
    resize(visibleArea());
    display(m_picture->tree, m_picture->startNode);
}

VerbariumPicture VerbariumView::layOut(std::shared_ptr<const VerbariumTree> tree, Node node) const
{
    if (m_roomForEveryWord)
        return m_layout.spreadVerbariumFromNode(std::move(tree), node, QSizeF(visibleArea()));
    return m_layout.displayVerbariumFromNode(std::move(tree), node, rootLayer()->bounds(),
                                             QSizeF(size()));
}

QSize VerbariumView::visibleArea() const
{
    return m_scrollView ? m_scrollView->viewport()->size() : size();
}

// A spread picture is often many windows tall: show where it starts, its start word
// in the middle of the window.
void VerbariumView::scrollToStartWord()
{
    if (!m_scrollView)
        return;
    const QPointF start = ViewCoordinates(height()).toDevice(m_picture->words.front().position);
    m_scrollView->ensureVisible(0, int(start.y()), 0, m_scrollView->viewport()->height() / 2);
}

void VerbariumView::viewDidEndLiveResize()
{
    if (!m_picture || m_picture->tree->childCount(m_picture->startNode) == 0)
        return;
    growToVisibleArea();
    updateTrackingAreas();
    // The same start in a new size: the reader keeps the place scrolled to.
    showPicture(layOut(m_picture->tree, m_picture->startNode));
}

void VerbariumView::mouseReleaseEvent(QMouseEvent *event)
{
    const NodeLayer *hit = nodeLayerAt(event->position());
    if (!hit)
        return;
    if (event->button() == Qt::LeftButton)
        mouseUp(*hit);
    else if (event->button() == Qt::RightButton)
        rightMouseUp(*hit);
}

void VerbariumView::mouseMoveEvent(QMouseEvent *event)
{
    // Drags are not hovering, and nothing shows while the application is inactive.
    if (!hasMouseTracking() || event->buttons() != Qt::NoButton ||
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    if (const NodeLayer *hit = nodeLayerAt(event->position()))
        mouseMoved(*hit);
}

void VerbariumView::paintEvent(QPaintEvent *event)
{
    LayerHostWidget::paintEvent(event);
    if (m_message.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(visibleRegion().boundingRect(), Qt::AlignCenter | Qt::TextWordWrap, m_message);
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

const NodeLayer *VerbariumView::nodeLayerAt(QPointF widgetPoint) const
{
    // Events come in this widget's own coordinates, whatever the scroll position.
    const Layer *hit = rootLayer()->hitTest(viewPointFromWidget(widgetPoint));
    if (!hit || hit->name() == u"mainLayer"_s || hit->name() == u"curve.layer"_s)
        return nullptr;
    return dynamic_cast<const NodeLayer *>(hit);
}

void VerbariumView::mouseUp(const NodeLayer &hit)
{
    const Node clicked = hit.node(); // the display replaces the layer
    emit parentWordsChanged(pathText(*m_picture->tree, clicked));
    displayVerbariumFromNode(clicked);
}

void VerbariumView::rightMouseUp(const NodeLayer &hit)
{
    const QString word = hit.name(); // the display replaces the layer
    startWithWord(word);
}

void VerbariumView::mouseMoved(const NodeLayer &hit)
{
    emit wordHovered(hit.name(), int(m_picture->tree->countOfLeaves(hit.node())));
}

void VerbariumView::updateTrackingAreas()
{
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
