#include "DispersionStrip.h"

#include "CountText.h"
#include "DispersionLayers.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int margin = 3;
constexpr int barHeight = 20;
// The foot of the bar that ticks leave free, so that where files meet shows however
// dense the ticks are.
constexpr int segmentsBand = 4;
// How far beside a tick a click still chooses it: a tick is a pixel wide.
constexpr qreal clickReach = 3.0;

} // namespace

DispersionStrip::DispersionStrip(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAccessibleName(tr("Where the occurrences fall"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DispersionStrip::setSpread(std::shared_ptr<const OccurrenceSpread> spread,
                                const QString &sequence)
{
    m_spread = std::move(spread);
    m_ticks.clear();
    m_tickColumns = 0;
    if (m_spread) {
        setAccessibleDescription(
            tr("“%1”: %2")
                .arg(sequence, timesInFilesText(qint64(m_spread->dispersion.positions.size()),
                                                m_spread->filesHolding(),
                                                qint64(m_spread->dispersion.files.size()))));
    } else {
        setAccessibleDescription({});
    }
    update();
}

QSize DispersionStrip::sizeHint() const
{
    return {400, barHeight + 2 * margin};
}

QSize DispersionStrip::minimumSizeHint() const
{
    return {50, barHeight + 2 * margin};
}

QRect DispersionStrip::bar() const
{
    return rect().adjusted(margin, margin, -margin, -margin);
}

quint32 DispersionStrip::columns() const
{
    return quint32(std::max(1.0, bar().width() * devicePixelRatioF()));
}

const std::vector<quint32> &DispersionStrip::ticks() const
{
    const quint32 wanted = columns();
    if (m_tickColumns != wanted) {
        m_ticks = tickColumns(m_spread->dispersion, wanted);
        m_tickColumns = wanted;
    }
    return m_ticks;
}

void DispersionStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tickColumns = 0;
}

void DispersionStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF area = bar();
    const QColor segmentColours[] = {palette().color(QPalette::Midlight),
                                     palette().color(QPalette::Mid)};
    if (!m_spread) {
        painter.fillRect(area, segmentColours[0]);
        return;
    }
    // Files without tokens have no width: they would make two neighbours one colour.
    std::size_t shown = 0;
    for (const QRectF &segment : fileSegments(m_spread->dispersion, area)) {
        if (segment.width() > 0)
            painter.fillRect(segment, segmentColours[shown++ % 2]);
    }
    const std::vector<quint32> &columnsHolding = ticks();
    const qreal columnWidth = area.width() / m_tickColumns;
    const QColor tickColour = palette().color(QPalette::Highlight);
    // Neighbouring columns as one box: a frequent word fills most of the bar.
    for (std::size_t first = 0; first < columnsHolding.size();) {
        std::size_t last = first;
        while (last + 1 < columnsHolding.size() &&
               columnsHolding[last + 1] == columnsHolding[last] + 1)
            ++last;
        const qreal left = area.left() + columnsHolding[first] * columnWidth;
        const qreal right = area.left() + (columnsHolding[last] + 1) * columnWidth;
        painter.fillRect(
            QRectF(QPointF(left, area.top()), QPointF(right, area.bottom() + 1 - segmentsBand)),
            tickColour);
        first = last + 1;
    }
}

std::optional<std::size_t> DispersionStrip::fileAt(qreal x) const
{
    if (!m_spread)
        return std::nullopt;
    const std::vector<QRectF> segments = fileSegments(m_spread->dispersion, QRectF(bar()));
    // The last segment starting at or before x: files without tokens are passed over.
    const auto after =
        std::partition_point(segments.begin(), segments.end(),
                             [x](const QRectF &segment) { return segment.left() <= x; });
    if (after == segments.begin())
        return std::nullopt;
    return std::size_t(after - segments.begin() - 1);
}

bool DispersionStrip::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<std::size_t> file = fileAt(help->pos().x());
    if (!file || !bar().contains(help->pos())) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const Dispersion::File &shown = m_spread->dispersion.files[*file];
    const QString times = timesText(shown.count);
    QToolTip::showText(
        help->globalPos(),
        m_spread->dispersion.files.size() > 1 ? tr("%1: %2").arg(shown.name, times) : times, this,
        fileSegments(m_spread->dispersion, QRectF(bar()))[*file].toAlignedRect());
    return true;
}

void DispersionStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_spread) {
        QWidget::mousePressEvent(event);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const qreal fromBar = (event->position().x() - bar().left()) * ratio;
    if (fromBar < 0 || fromBar >= columns())
        return;
    const std::optional<std::size_t> chosen = occurrenceNearColumn(
        m_spread->dispersion, quint32(fromBar), columns(), quint32(clickReach * ratio));
    if (chosen)
        emit occurrenceChosen(m_spread->dispersion.positions[*chosen]);
}
