#include "WordCloudView.h"

#include "AccessibleItems.h"
#include "CloudAccessibility.h"
#include "CloudRowLayout.h"
#include "TextLayer.h"
#include "WordColor.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>

WordCloudView::WordCloudView(QWidget *parent)
    : LayerHostWidget(parent)
    , m_random(std::make_unique<StdRandomSource>())
{
    setFocusPolicy(Qt::StrongFocus);
    installCloudAccessibility();
}

WordCloudView::~WordCloudView() = default;

void WordCloudView::setScrollView(QScrollArea *scrollView)
{
    m_scrollView = scrollView;
    if (!m_scrollView)
        return;
    // The cloud reflows to the width, so it only ever scrolls vertically; the keyboard
    // goes to the words, not to the area around them.
    m_scrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollView->setFocusPolicy(Qt::NoFocus);
    // A bar above the area shown or hidden changes its height, not the window's.
    m_scrollView->viewport()->installEventFilter(this);
}

bool WordCloudView::eventFilter(QObject *watched, QEvent *event)
{
    if (m_built && m_scrollView && watched == m_scrollView->viewport() &&
        event->type() == QEvent::Resize) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        if (resize->size().height() != resize->oldSize().height())
            refit();
    }
    return LayerHostWidget::eventFilter(watched, event);
}

void WordCloudView::setOptions(const CloudOptions &options)
{
    const CloudOptions old = std::exchange(m_options, options);
    if (!m_built)
        return;
    if (old.contrastColours != m_options.contrastColours) {
        restyleCloud(m_cloud, style());
        update();
    }
    if (old.gapBetweenWords != m_options.gapBetweenWords)
        refit();
}

QString WordCloudView::emptyMessage() const
{
    if (!m_built || !m_cloud.words.empty())
        return {};
    if (m_content->fixedLook)
        return m_content->fixedLook->emptyMessage;
    if (!m_content->textHasWords)
        return tr("No words to show: the text has no letters.");
    return tr("No words to show: every word of the text is left out as a common word.");
}

void WordCloudView::buildCloud(std::shared_ptr<const CloudContent> content)
{
    replaceCloud(std::move(content));
    window()->show();
    window()->raise();
}

void WordCloudView::replaceCloud(std::shared_ptr<const CloudContent> content)
{
    Q_ASSERT(content);
    const QString focusedWord =
        m_focused >= 0 ? m_cloud.words[std::size_t(m_focused)].word() : QString();
    m_content = std::move(content);
    BuiltCloud cloud =
        m_content->fixedLook
            ? buildCloudLayers(
                  m_content->measured,
                  [this](std::size_t i) { return m_content->fixedLook->colors[i]; }, style())
            : buildCloudLayers(m_content->measured, *m_random, style());
    // The old layer list points into the old root: replace both together.
    m_cloud.words = std::move(cloud.words);
    m_cloud.layers = std::move(cloud.layers);
    setRootLayer(std::move(cloud.root));
    m_built = true;
    ++m_generation;
    m_focused = -1;
    scaleLayersToSize(QSizeF(size()));
    announcePictureChanged(this);
    for (std::size_t i = 0; i < m_cloud.words.size() && !focusedWord.isEmpty(); ++i)
        if (m_cloud.words[i].word() == focusedWord)
            focusWord(qsizetype(i));
    emit cloudReplaced();
}

void WordCloudView::scaleLayersToSize(QSizeF size)
{
    m_rowWidthPixels = size.width();
    const ScrollerChange showScroller = [this](bool verticalScroller) {
        if (m_scrollView)
            m_scrollView->setVerticalScrollBarPolicy(verticalScroller ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
        return visibleAreaSize();
    };
    // The view's width follows the visible area's, as a scroll area's document does;
    // keeping an older, narrower width would hide the words placed beyond it. A zoom
    // leaves fewer points of width, and the rows reflow to them.
    const CloudFit fit = fitCloudToView(m_cloud, static_cast<float>(size.width() / zoom()),
                                        visibleAreaSize(), showScroller, rowGap());
    setContentSize(fit.viewSize);
    update();
}

qreal WordCloudView::fittingZoom() const
{
    const QSizeF room(m_scrollView ? m_scrollView->maximumViewportSize() : size());
    return zoomToFitRows(m_cloud.words, static_cast<float>(m_rowWidthPixels), room, rowGap(),
                         minimumZoom);
}

float WordCloudView::rowGap() const
{
    return m_options.gapBetweenWords ? CloudRowLayout::wordGap : 0.0f;
}

void WordCloudView::refit()
{
    scaleLayersToSize(QSizeF(m_rowWidthPixels, 0.0));
}

void WordCloudView::zoomApplied()
{
    refit();
}

QSizeF WordCloudView::visibleAreaSize() const
{
    if (m_scrollView)
        return QSizeF(m_scrollView->viewport()->size()) / zoom();
    if (parentWidget())
        return QSizeF(parentWidget()->size()) / zoom();
    return QSizeF(size()) / zoom();
}

qsizetype WordCloudView::wordAt(QPointF widgetPoint) const
{
    // The widget's own coordinates already follow the scroll position, so only the
    // flip to the words' y-up space is needed.
    return cloudWordAt(m_cloud.words, viewPointFromWidget(widgetPoint));
}

QRect WordCloudView::wordRect(qsizetype index) const
{
    if (index < 0 || index >= qsizetype(m_cloud.words.size()))
        return {};
    return widgetRectFromView(m_cloud.words[std::size_t(index)].box()).toAlignedRect();
}

void WordCloudView::focusWord(qsizetype index)
{
    if (index < 0 || index >= qsizetype(m_cloud.words.size()))
        return;
    m_focused = index;
    const QRect rect = wordRect(index);
    scrollToShow(rect);
    update();
    const CloudWord &word = m_cloud.words[std::size_t(index)];
    emit wordFocused(word.word(), word.count, QRect(mapToGlobal(rect.topLeft()), rect.size()));
    cloudFocusMoved(this, index);
}

void WordCloudView::chooseWord(qsizetype index)
{
    if (index >= 0 && index < qsizetype(m_cloud.words.size()))
        emit wordChosen(m_cloud.words[std::size_t(index)].word());
}

void WordCloudView::mouseMoveEvent(QMouseEvent *event)
{
    // Drags are not hovering, and nothing shows while the window is inactive.
    if (!hasMouseTracking() || event->buttons() != Qt::NoButton)
        return;
    const qsizetype index = wordAt(event->position());
    if (index >= 0)
        emit wordHovered(m_cloud.words[std::size_t(index)].word(),
                         m_cloud.words[std::size_t(index)].count);
    else
        emit hoverEnded();
}

void WordCloudView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    chooseWord(wordAt(event->position()));
}

void WordCloudView::keyPressEvent(QKeyEvent *event)
{
    std::optional<CloudStep> step;
    switch (event->key()) {
    case Qt::Key_Left:
        step = CloudStep::Previous;
        break;
    case Qt::Key_Right:
        step = CloudStep::Next;
        break;
    case Qt::Key_Up:
        step = CloudStep::Up;
        break;
    case Qt::Key_Down:
        step = CloudStep::Down;
        break;
    case Qt::Key_Home:
        step = CloudStep::First;
        break;
    case Qt::Key_End:
        step = CloudStep::Last;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_focused >= 0 && event->modifiers() == Qt::NoModifier) {
            chooseWord(m_focused);
            return;
        }
        break;
    default:
        break;
    }
    if (!step || m_cloud.words.empty()) {
        LayerHostWidget::keyPressEvent(event);
        return;
    }
    focusWord(stepInCloud(m_cloud.words, m_focused, *step));
}

bool WordCloudView::focusNextPrevChild(bool next)
{
    // Tab into a cloud without a focused word shows the focus on its first word; the
    // view is the only stop of its window.
    if (m_focused < 0 && !m_cloud.words.empty() && hasFocus()) {
        focusWord(stepInCloud(m_cloud.words, -1, next ? CloudStep::First : CloudStep::Last));
        return true;
    }
    return LayerHostWidget::focusNextPrevChild(next);
}

void WordCloudView::focusInEvent(QFocusEvent *event)
{
    LayerHostWidget::focusInEvent(event);
    // A click into the window only shows the focus again; Tab also tells where it is.
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byKeyboard && !m_cloud.words.empty())
        focusWord(m_focused >= 0 ? m_focused : 0);
}

void WordCloudView::focusOutEvent(QFocusEvent *event)
{
    LayerHostWidget::focusOutEvent(event);
    update();
}

QRect WordCloudView::focusedWordRect() const
{
    return wordRect(m_focused);
}
