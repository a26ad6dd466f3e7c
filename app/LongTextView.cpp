#include "LongTextView.h"

#include "CharacterClasses.h"
#include "ReleaseOnWorker.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// A line longer than this shows its beginning only: laying out millions of characters
// for one line of pixels would hold the window up, and nobody reads that far sideways.
constexpr qsizetype drawnLineLength = 4096;

} // namespace

std::vector<quint32> lineStartsOf(QStringView text)
{
    std::vector<quint32> starts{0};
    const qsizetype size = text.size();
    for (qsizetype position = 0; position < size; ++position) {
        const char16_t unit = text[position].unicode();
        if (!CharacterClasses::isLineBreak(unit))
            continue;
        if (unit == u'\r' && position + 1 < size && text[position + 1] == u'\n')
            ++position;
        if (position + 1 < size)
            starts.push_back(quint32(position + 1));
    }
    return starts;
}

LongTextView::LongTextView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_lines(this, QString())
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
}

void LongTextView::setText(const QString &text)
{
    releaseOnWorker(std::exchange(m_text, text));
    m_lineStarts.clear();
    m_widestLine = 0;
    // The worker reads its own copy: QString's sharing is thread-safe. Without the lines
    // (too little memory for them) the view shows none; the text stays the editor's.
    m_lines.start([text](std::stop_token) { return lineStartsOf(text); },
                  {[this](std::vector<quint32> lineStarts) { takeLines(std::move(lineStarts)); },
                   [](const QString &) {}});
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

QStringView LongTextView::line(qsizetype index) const
{
    const qsizetype start = m_lineStarts[std::size_t(index)];
    qsizetype end =
        index + 1 < lineCount() ? qsizetype(m_lineStarts[std::size_t(index) + 1]) : m_text.size();
    while (end > start && CharacterClasses::isLineBreak(m_text[end - 1].unicode()))
        --end;
    return QStringView(m_text).sliced(start, end - start);
}

void LongTextView::takeLines(std::vector<quint32> lineStarts)
{
    m_lineStarts = std::move(lineStarts);
    updateScrollBars();
    viewport()->update();
}

int LongTextView::lineHeight() const
{
    return fontMetrics().lineSpacing();
}

void LongTextView::updateScrollBars()
{
    const int visibleLines = std::max(1, viewport()->height() / lineHeight());
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(0, lineCount() - visibleLines)));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 4);
    horizontalScrollBar()->setRange(0, std::max(0, m_widestLine - viewport()->width()));
}

void LongTextView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    painter.setPen(palette().text().color());
    const QFontMetrics metrics = fontMetrics();
    const int height = lineHeight();
    const int margin = metrics.averageCharWidth();
    const int x = margin - horizontalScrollBar()->value();
    int widest = m_widestLine;
    const qsizetype first = verticalScrollBar()->value();
    for (qsizetype index = first, y = 0; index < lineCount() && y < viewport()->height();
         ++index, y += height) {
        const QStringView whole = line(index);
        const QString shown = whole.first(std::min(whole.size(), drawnLineLength)).toString();
        painter.drawText(QPoint(x, int(y) + metrics.ascent()), shown);
        widest = std::max(widest, 2 * margin + metrics.horizontalAdvance(shown));
    }
    // The lines seen so far say how far sideways the text reaches.
    if (widest != m_widestLine) {
        m_widestLine = widest;
        updateScrollBars();
    }
}

void LongTextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LongTextView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Home && event->modifiers() & Qt::ControlModifier) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    }
    if (event->key() == Qt::Key_End && event->modifiers() & Qt::ControlModifier) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
