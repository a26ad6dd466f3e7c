#pragma once

#include "Layer.h"

#include <QWidget>
#include <memory>
#include <optional>

// A view whose content is a tree of layers. The root layer's coordinates are the
// view's: origin at the lower left corner, y upward. The root layer's size is the
// view's: the widget's size, unless the view sets its content's size itself.
class LayerHostWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LayerHostWidget(QWidget *parent = nullptr);
    ~LayerHostWidget() override;

    // Never null: a new view holds an empty root layer.
    Layer *rootLayer() const { return m_rootLayer.get(); }
    // Installs root as the view's layer, given the view's size; the previous tree and
    // every layer in it are destroyed, so pointers into it must be dropped first.
    void setRootLayer(std::unique_ptr<Layer> root);

    // From now on the root layer keeps exactly this size and the widget takes it
    // rounded up to whole pixels. The layers' y upward is measured from the root's
    // height, so content hangs from the widget's top edge and the spare fraction of a
    // pixel lies below it.
    void setContentSize(QSizeF size);

    // A point in widget coordinates (y downward, e.g. a mouse event's position) in
    // the view's layer coordinates (y upward).
    QPointF viewPointFromWidget(QPointF widgetPoint) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitRootLayer();
    // The height the layers' y upward is measured from: the content's, else the
    // widget's.
    qreal viewHeight() const;

    std::unique_ptr<Layer> m_rootLayer;
    std::optional<QSizeF> m_contentSize; // none: the root follows the widget's size
};
