#include "DispersionLayers.h"

#include "DrawingLayer.h"
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
const QColor tickColour(31, 78, 153);
const QColor segmentColours[] = {QColor(232, 232, 232), QColor(208, 208, 208)};

qreal stripHeight()
{
    return margin + lineHeight + gap + barHeight + gap + lineHeight + margin;
}

class StripLayer : public DrawingLayer
{
public:
    StripLayer(std::vector<QRectF> segments, std::vector<quint32> ticks, quint32 columns)
        : m_segments(std::move(segments))
        , m_ticks(std::move(ticks))
        , m_columns(columns)
    {}

protected:
    void drawInContext(QPainter &painter) const override
    {
        const QRectF frame = bounds();
        // Files without tokens have no width: they would make two neighbours one colour.
        std::size_t shown = 0;
        for (const QRectF &segment : m_segments) {
            if (segment.width() > 0)
                painter.fillRect(segment, segmentColours[shown++ % 2]);
        }
        if (m_columns == 0)
            return;
        const qreal columnWidth = frame.width() / m_columns;
        // A point wide at least, so that a lone occurrence is seen.
        painter.setPen(QPen(tickColour, std::max(columnWidth, 1.0), Qt::SolidLine, Qt::FlatCap));
        for (const quint32 column : m_ticks) {
            const qreal x = (column + 0.5) * columnWidth;
            painter.drawLine(QPointF(x, 0), QPointF(x, frame.height()));
        }
    }

private:
    std::vector<QRectF> m_segments;
    std::vector<quint32> m_ticks;
    quint32 m_columns;
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
    auto strip = std::make_unique<StripLayer>(inBar, tickColumns(dispersion, columns), columns);
    strip->setName(u"bar"_s);
    strip->setAnchorPoint(QPointF(0, 0));
    strip->setBounds(QRectF(QPointF(0, 0), bar.size()));
    strip->setPosition(bar.topLeft());
    strip->display();
    root->addSublayer(std::move(strip));
    return {std::move(root), size};
}
