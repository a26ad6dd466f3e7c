#pragma once

#include "LargeTextImage.h"
#include "Layer.h"

#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QSizeF>
#include <map>
#include <optional>
#include <utility>

// A string set in one font at one size, optionally coloured (black otherwise).
struct AttributedString
{
    QString text;
    QString fontName; // e.g. "Futura-CondensedMedium"; resolved to an installed face
    qreal fontSize = 12.0;
    std::optional<QColor> color;

    bool operator==(const AttributedString &) const = default;
};

// Measures what an attributed string needs when set in its font. Layout code takes
// one as a parameter, so tests can use fixed sizes.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual QSizeF preferredSize(const AttributedString &string) const = 0;
};

// Measures with Qt's font metrics, in points (1 point = 1 logical pixel).
class FontMetricsMeasurer : public TextMeasurer
{
public:
    FontMetricsMeasurer();
    ~FontMetricsMeasurer() override;
    QSizeF preferredSize(const AttributedString &string) const override;

private:
    const QFontMetricsF &metricsFor(const QString &fontName, qreal fontSize) const;

    QImage m_referenceDevice; // measured against at 72 dpi, whatever the screen's
    // Looking up a font costs as much as measuring a word, and a cloud uses few sizes.
    mutable std::map<std::pair<QString, qreal>, QFontMetricsF> m_metrics;
};

class TextLayer : public Layer
{
public:
    enum class Alignment { Natural, Left, Right, Center };

    const AttributedString &string() const { return m_string; }
    void setString(const AttributedString &string)
    {
        m_string = string;
        m_largeText.reset();
    }
    Alignment alignmentMode() const { return m_alignment; }
    void setAlignmentMode(Alignment alignment) { m_alignment = alignment; }

    QSizeF preferredFrameSize(const TextMeasurer &measurer) const
    {
        return measurer.preferredSize(m_string);
    }

    void drawContent(QPainter &painter) const override;

private:
    AttributedString m_string;
    Alignment m_alignment = Alignment::Natural;
    mutable LargeTextImage m_largeText; // a cache of the pixels, not part of the state
};
