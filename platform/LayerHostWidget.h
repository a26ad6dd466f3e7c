#pragma once

#include "Layer.h"

#include <QWidget>
#include <memory>

// A view whose content is a tree of layers. The root layer's coordinates are the
// view's: origin at the lower left corner, y upward, bounds the size of the widget.
class LayerHostWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LayerHostWidget(QWidget *parent = nullptr);
    ~LayerHostWidget() override;

    // Never null: a new view holds an empty root layer.
    Layer *rootLayer() const { return m_rootLayer.get(); }
    // Installs root as the view's layer, fitted to the widget; the previous tree and
    // every layer in it are destroyed, so pointers into it must be dropped first.
    void setRootLayer(std::unique_ptr<Layer> root);

    // A point in widget coordinates (y downward, e.g. a mouse event's position) in
    // the view's layer coordinates (y upward).
    QPointF viewPointFromWidget(QPointF widgetPoint) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitRootLayer();

    std::unique_ptr<Layer> m_rootLayer;
};
