#include "VerbariumView.h"

#include "AccessibleItems.h"
#include "NodeDescription.h"
#include "ReleaseOnWorker.h"
#include "StartPhrase.h"
#include "TextIndex.h"
#include "TreeInput.h"
#include "VerbariumAccessibility.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

VerbariumView::VerbariumView(QWidget *parent)
    : LayerHostWidget(parent)
    , m_resizes(this, [this]() -> std::optional<QRect> {
        if (!m_picture || !m_fitting.hasScrollView())
            return std::nullopt;
        return wordRect(0);
    })
{
    setFocusPolicy(Qt::StrongFocus);
    installVerbariumAccessibility();
    new TreeInput(this);
    connect(&m_resizes, &ResizeSettling::settled, this, &VerbariumView::refitAfterResize);
}

VerbariumView::~VerbariumView() = default;

void VerbariumView::showNoTree()
{
    // The last picture of a text may hold the last of its tokens.
    if (m_picture)
        releaseOnWorker(std::move(m_picture->tree));
    m_picture.reset();
    m_pictureIndex.reset();
    m_textIndex.reset();
    m_indexBefore.reset();
    m_holding.clear();
    m_contextsNode.reset();
    emit contextsAsked({});
    m_outline = {};
    m_focused = -1;
    ++m_generation;
    setRootLayer(nullptr);
    emit pictureChanged();
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
    ask(m_choices.start(phrase));
}

void VerbariumView::ask(const TreeChoices::Request &request)
{
    if (request.sides == TreeChoices::Sides::Both)
        emit bothSidesAsked(request.phrase);
    else
        emit treeAsked(request.phrase, request.sides == TreeChoices::Sides::Before);
}

void VerbariumView::setWordsBefore(bool before)
{
    if (m_choices.setWordsBefore(before) && m_picture)
        startWithPhrase(m_choices.startPhrase());
}

void VerbariumView::setBothSides(bool on)
{
    if (m_choices.setBothSides(on) && m_picture)
        startWithPhrase(m_choices.startPhrase());
}

void VerbariumView::showTree(const std::shared_ptr<const VerbariumTree> &tree,
                             const std::shared_ptr<const TextIndex> &index,
                             const std::shared_ptr<const TextIndex> &forward,
                             const QList<HoldingToken> &holding)
{
    m_holding = holding;
    m_pictureIndex = index;
    m_textIndex = forward;
    m_indexBefore.reset();
    m_fitting.fitToVisibleArea();
    showNewPicture(m_fitting.fitTree(tree, tree->root(), mirrored()));
}

void VerbariumView::showBothSides(const std::shared_ptr<const VerbariumTree> &after,
                                  const std::shared_ptr<const VerbariumTree> &before,
                                  const std::shared_ptr<const TextIndex> &forward,
                                  const std::shared_ptr<const TextIndex> &indexBefore,
                                  const QList<HoldingToken> &holding)
{
    m_holding = holding;
    m_pictureIndex = forward;
    m_textIndex = forward;
    m_indexBefore = indexBefore;
    m_fitting.fitToVisibleArea();
    showNewPicture(m_fitting.fitBothSides(after, before));
}

void VerbariumView::showNewPicture(FittedPicture fitted)
{
    display(std::move(fitted));
    // Pointing shows a word's numbers once there is a tree of more than its start.
    if (m_picture->hasBranches())
        setMouseTracking(true);
    // Magnified, the picture is larger than the window: the start word comes first.
    if (m_picture->bothSides())
        m_fitting.centreOnStartWord(wordRect(0));
    else
        scrollToShow(wordRect(0));
    // Every tree's root is the same node: the last one asked for was of another tree.
    m_contextsNode.reset();
    askForContexts(m_picture->tree->root());
}

bool VerbariumView::mirrored() const
{
    return m_pictureIndex && m_pictureIndex->readsBackward();
}

WordSide VerbariumView::sideOf(int index) const
{
    if (!m_picture || !m_picture->bothSides())
        return mirrored() ? WordSide::Before : WordSide::After;
    if (index <= 0 || index >= int(m_picture->words.size()))
        return WordSide::BetweenBoth;
    return m_picture->words[std::size_t(index)].before ? WordSide::Before : WordSide::After;
}

void VerbariumView::askForContexts(Node node, bool before)
{
    if (!m_picture || m_contextsNode == std::pair(node, before))
        return;
    m_contextsNode = std::pair(node, before);
    emit contextsAsked(
        before ? contextsQueryOf(*m_picture->beforeTree, node, m_indexBefore, m_textIndex)
               : contextsQueryOf(*m_picture->tree, node, m_pictureIndex, m_textIndex));
}

void VerbariumView::setBusy(bool busy)
{
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
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

void VerbariumView::goBack()
{
    if (m_choices.sides() != TreeChoices::Sides::Both) {
        startAtStartNode();
        return;
    }
    const std::optional<TreeChoices::Request> undone = m_choices.undo();
    if (!undone) {
        // Nothing chosen: the start's own occurrences, as after a new start.
        if (m_picture)
            askForContexts(m_picture->tree->root());
        return;
    }
    emit parentWordsChanged(m_choices.pathText());
    ask(*undone);
}

void VerbariumView::displayVerbariumFromNode(Node node)
{
    display(root(), node);
}

void VerbariumView::display(std::shared_ptr<const VerbariumTree> tree, Node node)
{
    display(m_fitting.fitTree(std::move(tree), node, mirrored()));
}

void VerbariumView::display(FittedPicture fitted)
{
    showPicture(std::move(fitted));
    if (m_fitting.roomForEveryWord())
        scrollToStartWord();
}

void VerbariumView::layOutAgain()
{
    showPicture(m_fitting.fitAgain(*m_picture, mirrored()));
}

void VerbariumView::showPicture(FittedPicture fitted)
{
    VerbariumPicture &picture = fitted.picture;
    // Widgets have whole-pixel sizes: round up so every word stays inside the view.
    setContentSize(
        QSizeF(std::ceil(picture.viewSize.width()), std::ceil(picture.viewSize.height())));
    setRootLayer(std::move(fitted.layers));
    const int focus = focusOnNewPicture(m_picture ? &*m_picture : nullptr, m_focused, picture,
                                        m_focusAwaitsPicture);
    m_focusAwaitsPicture = false;
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
    if (on == m_fitting.roomForEveryWord())
        return;
    m_fitting.setRoomForEveryWord(on);
    if (!m_picture)
        return;
    // The other layout's picture may have made the view far taller than the window.
    m_fitting.fitToVisibleArea();
    layOutAgain();
    if (m_fitting.roomForEveryWord())
        scrollToStartWord();
}

void VerbariumView::scrollToStartWord()
{
    m_fitting.scrollToStartWord(wordRect(0));
}

void VerbariumView::refitAfterResize()
{
    const bool startWasInSight = m_resizes.takeKeptPartWasInSight();
    if (!m_picture || !m_picture->hasBranches())
        return;
    m_fitting.growToVisibleArea();
    setMouseTracking(true);
    // The same start in a new size: the reader keeps the place scrolled to, and the
    // start word in sight if it was (a smaller area, the contexts pane shown, would
    // otherwise leave the top of the tree and hide it).
    layOutAgain();
    if (startWasInSight)
        scrollToStartWord();
}

void VerbariumView::chooseWord(int index)
{
    if (!m_picture || index < 0 || index >= int(m_picture->words.size()))
        return;
    if (m_picture->bothSides()) {
        chooseOnBothSides(index);
        return;
    }
    const Node clicked = m_picture->words[std::size_t(index)].node; // the display replaces it
    emit parentWordsChanged(pathText(*m_picture->tree, clicked));
    displayVerbariumFromNode(clicked);
    askForContexts(clicked);
}

void VerbariumView::chooseOnBothSides(int index)
{
    const PlacedWord &word = m_picture->words[std::size_t(index)];
    if (index == 0) {
        askForContexts(word.node);
        return;
    }
    if (const std::optional<TreeChoices::Request> chosen = m_choices.choose(*m_picture, word)) {
        emit parentWordsChanged(m_choices.pathText());
        ask(*chosen);
    }
}

void VerbariumView::restartFromWord(int index)
{
    if (!m_picture || index < 0 || index >= int(m_picture->words.size()))
        return;
    // The start of both sides may be a phrase: restarting from it keeps every word.
    if (index == 0 && m_picture->bothSides()) {
        startWithPhrase(m_choices.phrase());
        return;
    }
    const PlacedWord &word = m_picture->words[std::size_t(index)];
    startWithWord(m_picture->treeOf(word).word(word.node));
}

void VerbariumView::mouseMoveEvent(QMouseEvent *event)
{
    // Drags are not hovering, and nothing shows while the application is inactive.
    if (!hasMouseTracking() || event->buttons() != Qt::NoButton ||
        QGuiApplication::applicationState() != Qt::ApplicationActive)
        return;
    const int hit = wordAt(event->position());
    if (hit < 0) {
        emit hoverEnded();
        return;
    }
    // Only the panel previews a hovered word: the contexts stay where a click or the
    // keyboard put them, or the pointer on its way down to them would change them under it.
    const PlacedWord &hovered = m_picture->words[std::size_t(hit)];
    const VerbariumTree &tree = m_picture->treeOf(hovered);
    emit wordHovered(tree.word(hovered.node), countsOf(hovered),
                     noteOn(tree, hovered.node, m_holding));
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
    const VerbariumTree &tree = m_picture->treeOf(word);
    // The numbers hovering shows, so the panel says the same whichever way a word is found.
    if (told)
        emit wordFocused(tree.word(word.node), countsOf(word), noteOn(tree, word.node, m_holding),
                         QRect(mapToGlobal(rect.topLeft()), rect.size()));
    verbariumFocusMoved(this, index);
    askForContexts(word.node, word.before);
}

QString VerbariumView::countsOf(const PlacedWord &word)
{
    return m_nodeFiles.countsOf(m_picture->treeOf(word), word.node,
                                word.before ? m_indexBefore : m_pictureIndex);
}

QRect VerbariumView::focusedWordRect() const
{
    return wordRect(m_focused);
}

void VerbariumView::showEvent(QShowEvent *event)
{
    LayerHostWidget::showEvent(event);
    m_resizes.watch(m_fitting.visibleAreaWidget());
}
