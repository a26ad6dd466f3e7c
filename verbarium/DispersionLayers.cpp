#include "DispersionLayers.h"

#include "TextLayer.h"

#include <QLocale>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qreal margin = 8.0;
constexpr qreal lineHeight = 14.0;
constexpr qreal gap = 4.0;
constexpr qreal barHeight = 32.0;
constexpr qreal fontSize = 10.0;
const QString fontName = u"Futura-CondensedMedium"_s;
// The foot of the bar that ticks leave free, so that where files meet shows however
// dense the ticks are.
constexpr qreal segmentsBand = 6.0;
const QColor tickColour(31, 78, 153);
const QColor segmentColours[] = {QColor(232, 232, 232), QColor(208, 208, 208)};

qreal stripHeight()
{
    return margin + lineHeight + gap + barHeight + gap + lineHeight + margin;
}

// The bar: its files' segments and its ticks, as boxes in its own coordinates.
class StripLayer : public Layer
{
public:
    StripLayer(QSizeF size, std::vector<QRectF> segments, const std::vector<quint32> &ticks,
               quint32 columns)
        : m_segments(std::move(segments))
    {
        setBounds(QRectF(QPointF(0, 0), size));
        const qreal columnWidth = size.width() / std::max(columns, 1u);
        // Neighbouring columns as one box: a frequent word fills most of the bar.
        for (std::size_t first = 0; first < ticks.size();) {
            std::size_t last = first;
            while (last + 1 < ticks.size() && ticks[last + 1] == ticks[last] + 1)
                ++last;
            const qreal left = ticks[first] * columnWidth;
            const qreal right = (ticks[last] + 1) * columnWidth;
            // A point wide at least, so that a lone occurrence is seen.
            const qreal widening = std::max(1.0 - (right - left), 0.0) / 2;
            m_ticks.emplace_back(QPointF(left - widening, segmentsBand),
                                 QPointF(right + widening, size.height()));
            first = last + 1;
        }
    }

    void drawContent(QPainter &painter) const override
    {
        // Files without tokens have no width: they would make two neighbours one colour.
        std::size_t shown = 0;
        for (const QRectF &segment : m_segments) {
            if (segment.width() > 0)
                painter.fillRect(segment, segmentColours[shown++ % 2]);
        }
        for (const QRectF &tick : m_ticks)
            painter.fillRect(tick, tickColour);
    }

private:
    std::vector<QRectF> m_segments;
    std::vector<QRectF> m_ticks;
};

std::unique_ptr<TextLayer> textLayer(const QString &text, QPointF lowerLeft,
                                     const TextMeasurer &measurer)
{
    auto layer = std::make_unique<TextLayer>();
    layer->setString({text, fontName, fontSize, std::nullopt});
    layer->setName(text);
    layer->setAlignmentMode(TextLayer::Alignment::Left);
    layer->setAnchorPoint(QPointF(0, 0));
    layer->setBounds(QRectF(QPointF(0, 0), layer->preferredFrameSize(measurer)));
    layer->setPosition(lowerLeft);
    return layer;
}

QString caption(const Dispersion &dispersion, const QString &sequence)
{
    qint64 filesHolding = 0;
    for (const Dispersion::File &file : dispersion.files)
        filesHolding += file.count > 0;
    const QLocale locale(QLocale::English);
    const auto times = qint64(dispersion.positions.size());
    const auto files = qint64(dispersion.files.size());
    return u"%1: %2 %3 in %4 of %5 %6"_s.arg(
        sequence, locale.toString(times), times == 1 ? u"time"_s : u"times"_s,
        locale.toString(filesHolding), locale.toString(files), files == 1 ? u"file"_s : u"files"_s);
}

} // namespace

QRectF dispersionBar(qreal width)
{
    return QRectF(margin, margin + lineHeight + gap, std::max(width - 2 * margin, 1.0), barHeight);
}

std::vector<QRectF> fileSegments(const Dispersion &dispersion, const QRectF &bar)
{
    std::vector<QRectF> segments;
    segments.reserve(dispersion.files.size());
    const qreal perToken = dispersion.length > 0 ? bar.width() / dispersion.length : 0.0;
    for (const Dispersion::File &file : dispersion.files)
        segments.emplace_back(bar.left() + file.start * perToken, bar.top(), file.length * perToken,
                              bar.height());
    return segments;
}

DispersionPicture dispersionPicture(const Dispersion &dispersion, const QString &sequence,
                                    qreal width, int pixelsPerPoint, const TextMeasurer &measurer)
{
    const QSizeF size(width, stripHeight());
    auto root = std::make_unique<Layer>();
    root->setName(u"dispersion"_s);
    root->setFrame(QRectF(QPointF(0, 0), size));

    const QRectF bar = dispersionBar(width);
    const std::vector<QRectF> segments = fileSegments(dispersion, bar);
    // In y upward, the names' line is below the bar and the caption above it.
    const qreal namesBaseline = margin;
    const qreal captionBaseline = bar.bottom() + gap;
    for (std::size_t file = 0; file < segments.size(); ++file) {
        // No name fits in less than an em: a thousand narrow segments are not measured.
        if (segments[file].width() - gap < fontSize)
            continue;
        auto name = textLayer(dispersion.files[file].name,
                              QPointF(segments[file].left(), namesBaseline), measurer);
        if (name->bounds().width() <= segments[file].width() - gap)
            root->addSublayer(std::move(name));
    }
    root->addSublayer(
        textLayer(caption(dispersion, sequence), QPointF(margin, captionBaseline), measurer));

    const auto columns = quint32(std::max(bar.width() * pixelsPerPoint, 1.0));
    // The segments in the bar's own coordinates.
    const std::vector<QRectF> inBar = fileSegments(dispersion, QRectF(QPointF(0, 0), bar.size()));
    auto strip =
        std::make_unique<StripLayer>(bar.size(), inBar, tickColumns(dispersion, columns), columns);
    strip->setName(u"bar"_s);
    strip->setAnchorPoint(QPointF(0, 0));
    strip->setPosition(bar.topLeft());
    root->addSublayer(std::move(strip));
    return {std::move(root), size};
}
