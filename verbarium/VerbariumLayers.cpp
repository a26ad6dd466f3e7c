#include "VerbariumLayers.h"

#include "CurveLayer.h"
#include "NodeLayer.h"
#include "VerbariumLayout.h"

using namespace Qt::Literals::StringLiterals;

std::unique_ptr<Layer> verbariumLayers(const VerbariumPicture &picture, QSizeF frameSize)
{
    auto root = std::make_unique<Layer>();
    root->setName(u"mainLayer"_s);
    root->setFrame(QRectF(QPointF(0, 0), frameSize));
    appendVerbariumLayers(*root, picture);
    return root;
}

void appendVerbariumLayers(Layer &root, const VerbariumPicture &picture)
{
    for (const PlacedWord &placed : picture.words) {
        auto layer = std::make_unique<NodeLayer>(placed.node);
        layer->setZPosition(1.0);
        layer->setAlignmentMode(TextLayer::Alignment::Center);
        layer->setString(placed.string);
        layer->setName(picture.tree->word(placed.node));
        layer->setBounds(QRectF(QPointF(0, 0), placed.size));
        layer->setAnchorPoint(QPointF(0.0, 0.5));
        layer->setPosition(placed.position);
        root.addSublayer(std::move(layer));
    }
    for (const PlacedCurve &curve : picture.curves) {
        std::unique_ptr<CurveLayer> layer = CurveLayer::initWithStartNode(curve.from, curve.to);
        layer->setZPosition(0.0);
        layer->display();
        root.addSublayer(std::move(layer));
    }
}
