#include "VerbariumView.h"

#include "AccessibleItems.h"
#include "CountText.h"
#include "HoldingTokensText.h"
#include "LowerCase.h"
#include "ReleaseOnWorker.h"
#include "StartPhrase.h"
#include "TextIndex.h"
#include "VerbariumAccessibility.h"
#include "VerbariumLayers.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

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
    , m_resizes(this, [this]() -> std::optional<QRect> {
        if (!m_picture || !m_scrollView)
            return std::nullopt;
        return wordRect(0);
    })
{
    setFocusPolicy(Qt::StrongFocus);
    installVerbariumAccessibility();
    connect(&m_resizes, &ResizeSettling::settled, this, &VerbariumView::refitAfterResize);
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
    // The last picture of a text may hold the last of its tokens.
    if (m_picture)
        releaseOnWorker(std::move(m_picture->tree));
    m_picture.reset();
    m_pictureIndex.reset();
    m_holding.clear();
    m_contextsNode.reset();
    emit contextsAsked({});
    m_outline = {};
    m_focused = -1;
    ++m_generation;
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
    startWithPhrase({word});
}

void VerbariumView::startWithPhrase(const QStringList &phrase)
{
    emit parentWordsChanged(QString());
    emit startChanged(phrase.join(u' '));
    QWidget *shownWindow = window();
    shownWindow->show();
    shownWindow->raise();
    shownWindow->activateWindow();
    m_phrase = phrase;
    m_requests.requestTree(phrase, m_wordsBefore);
    if (!m_requests.failure().isEmpty())
        showMessage(m_requests.failure());
}

void VerbariumView::setWordsBefore(bool before)
{
    if (before == m_wordsBefore)
        return;
    m_wordsBefore = before;
    if (m_picture)
        startWithPhrase(m_phrase);
}

void VerbariumView::showTree(const std::shared_ptr<const VerbariumTree> &tree,
                             const std::shared_ptr<const TextIndex> &index,
                             const QList<HoldingToken> &holding)
{
    // A start that never occurs is said so: drawn alone, it would look like a word
    // that occurs with nothing after it. The cloud counts a word inside longer tokens
    // too ("x" in "x86"), where the tree, following whole tokens, never finds it.
    if (tree->occurrences() == 0) {
        clearPicture();
        showMessage(absentStartMessage(tree->word(tree->root()), holding));
        if (!holding.isEmpty())
            emit startOnlyInsideTokens(holding);
        return;
    }
    m_holding = holding;
    // Pointing shows a word's numbers once there is a tree of more than its start.
    if (tree->childCount(tree->root()) > 0)
        setMouseTracking(true);
    m_pictureIndex = index;
    fitToVisibleArea();
    display(tree, tree->root());
    // Magnified, the picture is larger than the window: the start word comes first.
    scrollToShow(wordRect(0));
    // Every tree's root is the same node: the last one asked for was of another tree.
    m_contextsNode.reset();
    askForContexts(tree->root());
}

bool VerbariumView::mirrored() const
{
    return m_pictureIndex && m_pictureIndex->readsBackward();
}

QString VerbariumView::countsOf(Node node) const
{
    const VerbariumTree &tree = *m_picture->tree;
    return timesAndBranchesText(tree.occurrences(node), tree.countOfLeaves(node));
}

QString VerbariumView::noteOn(Node node) const
{
    const VerbariumTree &tree = *m_picture->tree;
    QStringList notes;
    if (const quint32 continuations = tree.continuations(node);
        continuations > tree.childCount(node))
        notes << tr("%L1 of %L2 continuations shown").arg(tree.childCount(node)).arg(continuations);
    if (node == tree.root() && !m_holding.isEmpty())
        notes << alsoInsideNote(m_holding);
    return notes.join(u'\n');
}

void VerbariumView::askForContexts(Node node)
{
    if (!m_picture || m_contextsNode == node)
        return;
    m_contextsNode = node;
    const VerbariumTree &tree = *m_picture->tree;
    ContextsQuery query;
    query.index = m_pictureIndex;
    query.forward = m_requests.index();
    query.sequence = tree.sequenceTo(node);
    query.shown =
        (mirrored() ? QStringList(query.sequence.rbegin(), query.sequence.rend()) : query.sequence)
            .join(u' ');
    query.count = tree.occurrences(node);
    for (quint32 child = 0; child < tree.childCount(node); ++child)
        query.inShownBranches += tree.count(tree.child(node, child));
    emit contextsAsked(query);
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
    const QStringList phrase = typedTokens(typedWord);
    if (!phrase.isEmpty())
        startWithPhrase(phrase);
}

void VerbariumView::startAtStartNode()
{
    emit parentWordsChanged(QString());
    const auto tree = root();
    if (!tree)
        return;
    emit startChanged(tree->word(tree->root()));
    if (tree->childCount(tree->root()) > 0)
        display(tree, tree->root());
    askForContexts(tree->root());
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
    setContentSize(
        QSizeF(std::ceil(picture.viewSize.width()), std::ceil(picture.viewSize.height())));
    setRootLayer(verbariumLayers(picture, picture.viewSize));
    // The keyboard's focus stays on its word when the same display is laid out anew (the
    // window was resized); on a new display it goes on with the start word, as it does
    // where the view took the focus before its first picture came.
    int focus = -1;
    if (m_focused >= 0 || m_focusAwaitsPicture)
        focus = 0;
    m_focusAwaitsPicture = false;
    if (m_focused >= 0 && picture.tree == m_picture->tree &&
        picture.startNode == m_picture->startNode) {
        const Node focusedNode = m_picture->words[std::size_t(m_focused)].node;
        const auto same = std::ranges::find(picture.words, focusedNode, &PlacedWord::node);
        if (same != picture.words.end())
            focus = int(same - picture.words.begin());
    }
    m_picture = std::move(picture);
    m_outline = outlineOf(*m_picture);
    ++m_generation;
    m_focused = -1;
    emit pictureChanged();
    announcePictureChanged(this);
    if (focus >= 0 && hasFocus())
        moveFocus(focus, m_focusTold);
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
    fitToVisibleArea();
    display(m_picture->tree, m_picture->startNode);
}

VerbariumPicture VerbariumView::layOut(std::shared_ptr<const VerbariumTree> tree, Node node) const
{
    VerbariumPicture picture =
        m_roomForEveryWord
            ? m_layout.spreadVerbariumFromNode(std::move(tree), node, QSizeF(visibleArea()))
            : m_layout.displayVerbariumFromNode(std::move(tree), node, rootLayer()->bounds(),
                                                pictureSize());
    // The words before are read from right to left, the start at the right.
    if (mirrored())
        return mirroredPicture(std::move(picture));
    return picture;
}

// Unmagnified, as a new tree takes the area (see fitToVisibleArea).
QSize VerbariumView::visibleArea() const
{
    return m_scrollView ? m_scrollView->viewport()->size() : pictureSize().toSize();
}

// A spread picture is often many windows tall, and a smaller window leaves any tree
// larger than it: show where the tree starts, its start word in the middle of the window.
void VerbariumView::scrollToStartWord()
{
    if (!m_scrollView)
        return;
    // The whole word across (at the right when mirrored), and the middle of the window
    // down.
    const QRect start = wordRect(0);
    m_scrollView->ensureVisible(start.center().x(), start.center().y(), start.width() / 2,
                                m_scrollView->viewport()->height() / 2);
}

void VerbariumView::refitAfterResize()
{
    const bool startWasInSight = m_resizes.takeKeptPartWasInSight();
    if (!m_picture || m_picture->tree->childCount(m_picture->startNode) == 0)
        return;
    growToVisibleArea();
    setMouseTracking(true);
    // The same start in a new size: the reader keeps the place scrolled to, and the
    // start word in sight if it was (a smaller area, the contexts pane shown, would
    // otherwise leave the top of the tree and hide it).
    showPicture(layOut(m_picture->tree, m_picture->startNode));
    if (startWasInSight)
        scrollToStartWord();
}

void VerbariumView::mouseReleaseEvent(QMouseEvent *event)
{
    const int hit = wordAt(event->position());
    if (event->button() == Qt::LeftButton)
        chooseWord(hit);
    else if (event->button() == Qt::RightButton)
        restartFromWord(hit);
}

void VerbariumView::chooseWord(int index)
{
    if (m_picture && index >= 0 && index < int(m_picture->words.size()))
        reRootAt(m_picture->words[std::size_t(index)]);
}

void VerbariumView::restartFromWord(int index)
{
    if (m_picture && index >= 0 && index < int(m_picture->words.size()))
        restartFrom(m_picture->words[std::size_t(index)]);
}

void VerbariumView::mouseMoveEvent(QMouseEvent *event)
{
    // Drags are not hovering, and nothing shows while the application is inactive.
    if (!hasMouseTracking() || event->buttons() != Qt::NoButton ||
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    if (const int hit = wordAt(event->position()); hit >= 0)
        previewWord(m_picture->words[std::size_t(hit)]);
    else
        emit hoverEnded();
}

void VerbariumView::keyPressEvent(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    std::optional<TreeStep> step;
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left: {
        // Followers stand to the right, the words before to the left.
        const bool towardsFollowers = (event->key() == Qt::Key_Right) != mirrored();
        step = towardsFollowers ? TreeStep::FirstChild : TreeStep::Parent;
        break;
    }
    case Qt::Key_Up:
        step = TreeStep::PreviousSibling;
        break;
    case Qt::Key_Down:
        step = TreeStep::NextSibling;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (shift)
            restartFromWord(m_focused);
        else
            chooseWord(m_focused);
        return;
    case Qt::Key_Menu:
        restartFromWord(m_focused);
        return;
    case Qt::Key_Backspace:
        startAtStartNode();
        return;
    default:
        LayerHostWidget::keyPressEvent(event);
        return;
    }
    if (m_picture)
        focusWord(stepInOutline(m_outline, m_focused, *step));
}

// Whatever brings the keyboard here (Tab, the window coming forward, a word chosen in
// the cloud) puts it on a word, so that the first arrow already moves in the tree and a
// screen reader says where it is; a click chooses its own word. The panel tells of the
// word only when the keyboard itself moved here.
void VerbariumView::focusInEvent(QFocusEvent *event)
{
    LayerHostWidget::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason)
        return;
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (m_picture) {
        moveFocus(m_focused >= 0 ? m_focused : 0, byKeyboard);
    } else {
        m_focusAwaitsPicture = true;
        m_focusTold = byKeyboard;
    }
}

void VerbariumView::focusOutEvent(QFocusEvent *event)
{
    LayerHostWidget::focusOutEvent(event);
    m_focusAwaitsPicture = false;
    update();
}

int VerbariumView::wordAt(QPointF widgetPoint) const
{
    // Events come in this widget's own coordinates, whatever the scroll position.
    return m_picture ? placedWordAt(*m_picture, viewPointFromWidget(widgetPoint)) : -1;
}

QRect VerbariumView::wordRect(int index) const
{
    if (!m_picture || index < 0 || index >= int(m_picture->words.size()))
        return {};
    return widgetRectFromView(m_picture->words[std::size_t(index)].box()).toAlignedRect();
}

void VerbariumView::focusWord(int index)
{
    moveFocus(index, true);
}

void VerbariumView::moveFocus(int index, bool told)
{
    if (!m_picture || index < 0 || index >= int(m_picture->words.size()))
        return;
    m_focused = index;
    m_focusTold = told;
    const QRect rect = wordRect(index);
    scrollToShow(rect);
    update();
    const PlacedWord &word = m_picture->words[std::size_t(index)];
    // The numbers hovering shows, so the panel says the same whichever way a word is found.
    if (told)
        emit wordFocused(m_picture->tree->word(word.node), countsOf(word.node), noteOn(word.node),
                         QRect(mapToGlobal(rect.topLeft()), rect.size()));
    verbariumFocusMoved(this, index);
    askForContexts(word.node);
}

QRect VerbariumView::focusedWordRect() const
{
    return wordRect(m_focused);
}

void VerbariumView::showEvent(QShowEvent *event)
{
    LayerHostWidget::showEvent(event);
    // The visible area changes with the window, and with what shares the window (the
    // contexts pane shown or hidden, a splitter moved).
    m_resizes.watch(m_scrollView ? m_scrollView->viewport() : window());
}

void VerbariumView::reRootAt(const PlacedWord &hit)
{
    const Node clicked = hit.node; // the display replaces the picture
    emit parentWordsChanged(pathText(*m_picture->tree, clicked));
    displayVerbariumFromNode(clicked);
    askForContexts(clicked);
}

void VerbariumView::restartFrom(const PlacedWord &hit)
{
    const QString word = m_picture->tree->word(hit.node); // the display replaces the picture
    startWithWord(word);
}

// Only the panel previews a hovered word: the contexts stay where a click or the keyboard
// put them, or the pointer on its way down to them would change them under it.
void VerbariumView::previewWord(const PlacedWord &hit)
{
    emit wordHovered(m_picture->tree->word(hit.node), countsOf(hit.node), noteOn(hit.node));
}

// The scroll area never resizes the view; a larger window should give the tree the
// room it now has, while a smaller one leaves the view as it is.
void VerbariumView::growToVisibleArea()
{
    if (!m_scrollView)
        return;
    setContentSize(pictureSize().expandedTo(QSizeF(visibleArea())));
}

// A new tree starts from the window's visible area: the room an earlier tree grew the
// view to would only leave scroll bars around a smaller picture. The area is taken
// unmagnified: a zoom magnifies the picture the window would show, so that zooming in
// helps to read every tree that follows.
void VerbariumView::fitToVisibleArea()
{
    if (!m_scrollView)
        return;
    // The room the area has without scroll bars: a view that fits needs none.
    setContentSize(QSizeF(m_scrollView->maximumViewportSize()));
}
