#pragma once

#include "Layer.h"

#include <QWidget>
#include <memory>
#include <optional>

class QAbstractScrollArea;

// A view whose content is a tree of layers. The root layer's coordinates are the
// view's: origin at the lower left corner, y upward. The root layer's size is the
// view's: the widget's size, unless the view sets its content's size itself. The
// view can be magnified (zoom): the widget is then its content's size times the zoom,
// while the layers, and every picture exported from them, keep their own size.
class LayerHostWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal minimumZoom = 0.1;
    static constexpr qreal maximumZoom = 8.0;

    explicit LayerHostWidget(QWidget *parent = nullptr);
    ~LayerHostWidget() override;

    // Never null: a new view holds an empty root layer.
    Layer *rootLayer() const { return m_rootLayer.get(); }
    // Installs root as the view's layer, given the view's size; the previous tree and
    // every layer in it are destroyed, so pointers into it must be dropped first.
    void setRootLayer(std::unique_ptr<Layer> root);

    // From now on the root layer keeps exactly this size and the widget takes it
    // times the zoom, rounded up to whole pixels. The layers' y upward is measured
    // from the root's height, so content hangs from the widget's top edge and the
    // spare fraction of a pixel lies below it.
    void setContentSize(QSizeF size);
    // The picture's size in points at a zoom of 1, in whole points as the widget
    // would have it: what an export of the view shows.
    QSizeF pictureSize() const;

    qreal zoom() const { return m_zoom; }
    // Magnifies the view by zoom (kept between the limits above), keeping the picture's
    // point under anchor (widget coordinates) where it is in the scroll area's window,
    // or the top left corner of what is shown when there is no anchor.
    void setZoom(qreal zoom, std::optional<QPointF> anchor = std::nullopt);
    // Magnifies or shrinks by one step (a wheel notch is one).
    void zoomBy(qreal steps, std::optional<QPointF> anchor = std::nullopt);
    // The zoom at which the whole picture fits the visible area, never above 1.
    virtual qreal fittingZoom() const;

    // A point in widget coordinates (y downward, e.g. a mouse event's position) in
    // the view's layer coordinates (y upward).
    QPointF viewPointFromWidget(QPointF widgetPoint) const;
    // A box in layer coordinates in widget coordinates.
    QRectF widgetRectFromView(const QRectF &viewRect) const;

signals:
    void zoomChanged(qreal zoom);
    // The pointer is over none of the picture's words any more: it left the view, or
    // the view found no word under it.
    void hoverEnded();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // Called once the zoom has changed and the widget taken its new size.
    virtual void zoomApplied() {}
    // The scroll area this view is the document of, if any.
    QAbstractScrollArea *scrollArea() const;
    // Scrolls the enclosing area, if any, so that rect (widget coordinates) is in sight.
    void scrollToShow(const QRect &rect);
    // Where the word with the keyboard's focus is (widget coordinates), empty for none.
    // The view draws the focus around it and keeps it in sight through a zoom.
    virtual QRect focusedWordRect() const { return {}; }
    // What the view says instead of a picture (a wait, why there is none), drawn in the
    // middle of its visible area; empty for nothing.
    virtual QString placeholderMessage() const { return {}; }

private:
    void fitRootLayer();
    void resizeToContent();
    void paintKeyboardFocus(QPainter &painter) const;
    // The height the layers' y upward is measured from: the content's, else the
    // widget's.
    qreal viewHeight() const;

    std::unique_ptr<Layer> m_rootLayer;
    std::optional<QSizeF> m_contentSize; // none: the root follows the widget's size
    qreal m_zoom = 1.0;
};
