#pragma once

#include "CloudBuilder.h"
#include "CloudContent.h"
#include "CloudNavigation.h"
#include "LayerHostWidget.h"

#include <memory>
#include <optional>
#include <vector>

class QScrollArea;
class RandomSource;
class TextLayer;

// How the cloud's words look beyond their counts, all off by default. (Which words it
// shows is its content's business.)
struct CloudOptions
{
    bool gapBetweenWords = false;
    bool contrastColours = false;
};

// The word cloud: one word per dictionary entry, in rows fitted to the width of the
// window. It is the document of a vertically scrolling area. Pointing at a word emits
// wordHovered with its count while mouse tracking is on (the window turns it on while
// it is active); releasing the left button over a word emits wordChosen. The keyboard
// moves a visible focus between the words in reading order (wordFocused), and Return
// chooses the focused word.
class WordCloudView : public LayerHostWidget
{
    Q_OBJECT

public:
    explicit WordCloudView(QWidget *parent = nullptr);
    ~WordCloudView() override;

    QScrollArea *scrollView() const { return m_scrollView; }
    // The view does not become the area's widget here; the window does that.
    void setScrollView(QScrollArea *scrollView);

    // Takes the options; a cloud on screen follows them at once.
    void setOptions(const CloudOptions &options);
    const CloudOptions &options() const { return m_options; }

    // The words of the current cloud in alphabetical order, and the layers that paint
    // them (layers()[i] shows words()[i]).
    const std::vector<CloudWord> &words() const { return m_cloud.words; }
    const std::vector<TextLayer *> &layers() const { return m_cloud.layers; }
    // What the cloud shows: the words chosen and measured for it; null before the first.
    const std::shared_ptr<const CloudContent> &content() const { return m_content; }
    // The word with the keyboard focus, −1 for none.
    qsizetype focusedWord() const { return m_focused; }
    // What the view says instead of a picture, or empty.
    QString emptyMessage() const;

    // Replaces the whole cloud with content's words, fits it to the view's size and
    // brings the window to the front.
    void buildCloud(std::shared_ptr<const CloudContent> content);
    // The same without bringing the window forward, e.g. for other words left out; the
    // keyboard's focus stays on its word if the new cloud has it.
    void replaceCloud(std::shared_ptr<const CloudContent> content);
    // Reflows the rows for size.width() (the height is not used) and sizes the view:
    // as tall as the rows when they overflow the visible area, else the area's size
    // (see fitCloudToView). A zoom reflows the rows for the width it leaves.
    void scaleLayersToSize(QSizeF size);
    // The zoom at which the rows, reflowed for it, fit the window without a scroller.
    qreal fittingZoom() const override;

    // The word under a point in widget coordinates, −1 over a gap.
    qsizetype wordAt(QPointF widgetPoint) const;
    // Where a word is, in widget coordinates.
    QRect wordRect(qsizetype index) const;
    // Moves the keyboard focus to the word, shows it and tells of it.
    void focusWord(qsizetype index);
    // Chooses the word, as a click on it does.
    void chooseWord(qsizetype index);
    // Counts the clouds built, so that what describes a cloud can tell it is old.
    quint64 generation() const { return m_generation; }

signals:
    // The cloud was replaced: other words, another content().
    void cloudReplaced();
    void wordChosen(const QString &word);
    void wordHovered(const QString &word, int count);
    // The keyboard focus moved to word, shown at screenRect (global coordinates).
    void wordFocused(const QString &word, int count, const QRect &screenRect);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    QString placeholderMessage() const override { return emptyMessage(); }
    void zoomApplied() override;
    QRect focusedWordRect() const override;
    bool focusNextPrevChild(bool next) override;

private:
    void refit();
    QSizeF visibleAreaSize() const;
    CloudStyle style() const { return {m_options.contrastColours}; }
    float rowGap() const;

    std::shared_ptr<const CloudContent> m_content;
    CloudOptions m_options;
    BuiltCloud m_cloud;
    bool m_built = false;
    quint64 m_generation = 0;
    qreal m_rowWidthPixels = 0.0; // the width the rows were last asked for, zoom aside
    qsizetype m_focused = -1;
    QScrollArea *m_scrollView = nullptr; // non-owning: part of the window
    std::unique_ptr<RandomSource> m_random;
};
