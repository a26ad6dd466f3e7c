#pragma once

#include "LayerHostWidget.h"
#include "WordDictionary.h"

#include <memory>
#include <vector>

class QScrollArea;
class RandomSource;
class TextLayer;
class TextMeasurer;

// The word cloud: one word layer per dictionary entry, in rows fitted to the width
// of the window. It is the document of a vertically scrolling area. Pointing at a
// word emits wordHovered with its count while mouse tracking is on (the window turns
// it on while it is active); releasing the left button over a word emits wordChosen.
class WordCloudView : public LayerHostWidget
{
    Q_OBJECT

public:
    explicit WordCloudView(QWidget *parent = nullptr);
    ~WordCloudView() override;

    const WordDictionary &wordDict() const { return m_wordDict; }
    void setWordDict(const WordDictionary &wordDict) { m_wordDict = wordDict; }

    QScrollArea *scrollView() const { return m_scrollView; }
    // The view does not become the area's widget here; the window does that.
    void setScrollView(QScrollArea *scrollView);

    void setTextMeasurer(std::unique_ptr<TextMeasurer> measurer);

    // Word layers of the current cloud in alphabetical order.
    const std::vector<TextLayer *> &layers() const { return m_layers; }

    // Replaces the whole cloud from wordDict, fits it to the view's size and brings
    // the window to the front.
    void buildCloud();
    // Reflows the rows for size.width() (the height is not used) and sizes the view:
    // as tall as the rows when they overflow the visible area, else the area's size
    // (see fitCloudToView).
    void scaleLayersToSize(QSizeF size);

signals:
    void wordChosen(const QString &word);
    void wordHovered(const QString &word, int count);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The word layer under a point in widget coordinates, or none over a gap.
    const Layer *wordLayerAt(QPointF widgetPoint);
    QSizeF visibleAreaSize() const;

    WordDictionary m_wordDict;
    std::vector<TextLayer *> m_layers;   // non-owning: the root layer owns them
    QScrollArea *m_scrollView = nullptr; // non-owning: part of the window
    std::unique_ptr<TextMeasurer> m_measurer;
    std::unique_ptr<RandomSource> m_random;
};
