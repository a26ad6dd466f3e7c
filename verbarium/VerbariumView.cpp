#include "VerbariumView.h"

#include "AccessibleItems.h"
#include "NodeDescription.h"
#include "StartPhrase.h"
#include "TextIndex.h"
#include "TreeInput.h"
#include "VerbariumAccessibility.h"
#include "WordFocus.h"

#include <algorithm>
#include <cmath>

VerbariumView::VerbariumView(QWidget *parent)
    : LayerHostWidget(parent)
    , m_focus(new WordFocus(this))
    , m_resizes(this, [this]() -> std::optional<QRect> {
        if (!picture() || !m_fitting.hasScrollView())
            return std::nullopt;
        return wordRect(0);
    })
{
    setFocusPolicy(Qt::StrongFocus);
    installVerbariumAccessibility();
    new TreeInput(this);
    connect(m_focus, &WordFocus::moved, this, [this](int index) {
        scrollToShow(wordRect(index));
        update();
        const PlacedWord *word = m_shown.word(index);
        askForContexts(word->node, word->before);
    });
    connect(m_focus, &WordFocus::wordFocused, this, &VerbariumView::wordFocused);
    connect(m_focus, &WordFocus::wordHovered, this, &VerbariumView::wordHovered);
    connect(m_focus, &WordFocus::hoverEnded, this, &VerbariumView::hoverEnded);
    connect(&m_resizes, &ResizeSettling::settled, this, &VerbariumView::refitAfterResize);
}

VerbariumView::~VerbariumView() = default;

void VerbariumView::showNoTree()
{
    m_shown.clear();
    emit contextsAsked({});
    m_focus->clear();
    ++m_generation;
    setRootLayer(nullptr);
    emit pictureChanged();
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
    if (m_choices.setWordsBefore(before) && picture())
        startWithPhrase(m_choices.startPhrase());
}

void VerbariumView::setBothSides(bool on)
{
    if (m_choices.setBothSides(on) && picture())
        startWithPhrase(m_choices.startPhrase());
}

void VerbariumView::showTree(const std::shared_ptr<const VerbariumTree> &tree,
                             const std::shared_ptr<const TextIndex> &index,
                             const std::shared_ptr<const TextIndex> &forward,
                             const QList<HoldingToken> &holding)
{
    m_shown.growFrom(index, forward, holding);
    m_fitting.fitToVisibleArea();
    showNewPicture(m_fitting.fitTree(tree, tree->root(), mirrored()));
}

void VerbariumView::showBothSides(const std::shared_ptr<const VerbariumTree> &after,
                                  const std::shared_ptr<const VerbariumTree> &before,
                                  const std::shared_ptr<const TextIndex> &forward,
                                  const std::shared_ptr<const TextIndex> &indexBefore,
                                  const QList<HoldingToken> &holding)
{
    m_shown.growBothFrom(forward, indexBefore, holding);
    m_fitting.fitToVisibleArea();
    showNewPicture(m_fitting.fitBothSides(after, before));
}

void VerbariumView::showNewPicture(FittedPicture fitted)
{
    display(std::move(fitted));
    // Pointing shows a word's numbers once there is a tree of more than its start.
    if (picture()->hasBranches())
        setMouseTracking(true);
    // Magnified, the picture is larger than the window: the start word comes first.
    if (picture()->bothSides())
        m_fitting.centreOnStartWord(wordRect(0));
    else
        scrollToShow(wordRect(0));
    m_shown.forgetContexts();
    askForContexts(picture()->tree->root());
}

void VerbariumView::askForContexts(Node node, bool before)
{
    if (std::optional<ContextsQuery> query = m_shown.contextsOf(node, before))
        emit contextsAsked(*query);
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
        if (picture())
            askForContexts(picture()->tree->root());
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
    showPicture(m_fitting.fitAgain(*picture(), mirrored()));
}

void VerbariumView::showPicture(FittedPicture fitted)
{
    VerbariumPicture &next = fitted.picture;
    // Widgets have whole-pixel sizes: round up so every word stays inside the view.
    setContentSize(QSizeF(std::ceil(next.viewSize.width()), std::ceil(next.viewSize.height())));
    setRootLayer(std::move(fitted.layers));
    m_focus->pictureComing(picture() ? &*picture() : nullptr, next);
    m_shown.take(std::move(next));
    ++m_generation;
    emit pictureChanged();
    announcePictureChanged(this);
    m_focus->pictureShown();
}

void VerbariumView::setRoomForEveryWord(bool on)
{
    if (on == m_fitting.roomForEveryWord())
        return;
    m_fitting.setRoomForEveryWord(on);
    if (!picture())
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
    if (!picture() || !picture()->hasBranches())
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
    const PlacedWord *word = m_shown.word(index);
    if (!word)
        return;
    if (picture()->bothSides()) {
        chooseOnBothSides(index);
        return;
    }
    const Node clicked = word->node; // the display replaces the picture
    emit parentWordsChanged(pathText(*picture()->tree, clicked));
    displayVerbariumFromNode(clicked);
    askForContexts(clicked);
}

void VerbariumView::chooseOnBothSides(int index)
{
    const PlacedWord &word = picture()->words[std::size_t(index)];
    if (index == 0) {
        askForContexts(word.node);
        return;
    }
    if (const std::optional<TreeChoices::Request> chosen = m_choices.choose(*picture(), word)) {
        emit parentWordsChanged(m_choices.pathText());
        ask(*chosen);
    }
}

void VerbariumView::restartFromWord(int index)
{
    const PlacedWord *word = m_shown.word(index);
    if (!word)
        return;
    // The start of both sides may be a phrase: restarting from it keeps every word.
    if (index == 0 && picture()->bothSides())
        startWithPhrase(m_choices.phrase());
    else
        startWithWord(picture()->treeOf(*word).word(word->node));
}

int VerbariumView::wordAt(QPointF widgetPoint) const
{
    // Events come in this widget's own coordinates, whatever the scroll position.
    return picture() ? placedWordAt(*picture(), viewPointFromWidget(widgetPoint)) : -1;
}

QRect VerbariumView::wordRect(int index) const
{
    const PlacedWord *word = m_shown.word(index);
    return word ? widgetRectFromView(word->box()).toAlignedRect() : QRect();
}

void VerbariumView::focusWord(int index)
{
    m_focus->moveTo(index, true);
}

void VerbariumView::setFileCount(qsizetype files)
{
    m_focus->setFileCount(files);
}

int VerbariumView::focusedWord() const
{
    return m_focus->word();
}

QRect VerbariumView::focusedWordRect() const
{
    return wordRect(m_focus->word());
}

void VerbariumView::showEvent(QShowEvent *event)
{
    LayerHostWidget::showEvent(event);
    m_resizes.watch(m_fitting.visibleAreaWidget());
}
