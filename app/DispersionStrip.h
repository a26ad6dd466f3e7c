#pragma once

#include "OccurrenceSpread.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

// Above the contexts: where the sequence shown falls across the text, its files as
// segments of a bar in their order (widths by their tokens; a text of its own is one),
// a tick for each pixel column holding an occurrence. Pointing at a segment names its
// file and how often the sequence occurs there; a click on a tick, or within a few
// pixels of one, chooses its first occurrence.
class DispersionStrip : public QWidget
{
    Q_OBJECT

public:
    explicit DispersionStrip(QWidget *parent = nullptr);

    // Shows spread, of the sequence shown as it is read; none shows an empty bar.
    void setSpread(std::shared_ptr<const OccurrenceSpread> spread, const QString &sequence);
    const std::shared_ptr<const OccurrenceSpread> &spread() const { return m_spread; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Where the bar stands in the widget.
    QRect bar() const;

signals:
    // The occurrence whose first token is first was clicked.
    void occurrenceChosen(quint32 first);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The bar's width in device pixels: a column of ticks each.
    quint32 columns() const;
    const std::vector<quint32> &ticks() const;
    std::optional<std::size_t> fileAt(qreal x) const;

    std::shared_ptr<const OccurrenceSpread> m_spread;
    // The columns holding an occurrence, for m_tickColumns columns; made when painted.
    mutable std::vector<quint32> m_ticks;
    mutable quint32 m_tickColumns = 0;
};
