#include "DrawingLayer.h"
#include "LayerExport.h"
#include "PictureSupport.h"

#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace PictureSupport;

namespace {

// Fills the lower half of its own box: y upward in the layer.
class LowerHalfLayer : public DrawingLayer
{
protected:
    void drawInContext(QPainter &painter) const override
    {
        painter.fillRect(QRectF(0, 0, bounds().width(), bounds().height() / 2), Qt::black);
    }
};

struct OutputRow
{
    const char *name;
    std::function<QImage(const Layer &, QSizeF)> render;
};

class UpwardLayers : public ::testing::TestWithParam<OutputRow>
{
};

// A drawing at the lower left of the view lands at the bottom left of the picture, at
// its size in points, whatever the output and its resolution.
TEST_P(UpwardLayers, LowerLeftOfTheViewIsThePicturesBottomLeft)
{
    Layer root;
    root.setFrame({0, 0, 100, 80});
    auto box = std::make_unique<LowerHalfLayer>();
    box->setFrame({0, 0, 10, 20});
    box->display();
    root.addSublayer(std::move(box));
    EXPECT_EQ(inkBox(GetParam().render(root, {100, 80})), QRect(0, 70, 10, 10));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, UpwardLayers,
    ::testing::Values(
        OutputRow{"png",
                  [](const Layer &root, QSizeF view) { return renderLayersToImage(root, view); }},
        OutputRow{"svg", [](const Layer &root, QSizeF view) { return renderedSvg(root, view); }},
        OutputRow{"device72dpi",
                  [](const Layer &root, QSizeF view) { return paintedOnImage(root, view, 1, 72); }},
        OutputRow{"device144dpi", [](const Layer &root,
                                     QSizeF view) { return paintedOnImage(root, view, 1, 144); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LayerPainting, DrawingIsRecordedOnceAndKept)
{
    Layer root;
    root.setFrame({0, 0, 100, 80});
    auto box = std::make_unique<LowerHalfLayer>();
    box->setFrame({0, 0, 10, 20});
    box->display();
    LowerHalfLayer *boxLayer = static_cast<LowerHalfLayer *>(root.addSublayer(std::move(box)));
    // Moving the layer moves the kept drawing; growing it does not redraw it.
    boxLayer->setFrame({50, 40, 40, 40});
    EXPECT_EQ(inkBox(renderLayersToImage(root, {100, 80})), QRect(50, 30, 10, 10));
}

TEST(LayerPainting, HigherZPaintsAboveRegardlessOfOrder)
{
    Layer root;
    root.setFrame({0, 0, 20, 20});
    auto colored = [](QColor color, qreal z) {
        auto word = std::make_unique<TextLayer>();
        word->setString({u"██"_s, u"DejaVu Sans"_s, 20.0, color});
        word->setFrame({0, 0, 20, 20});
        word->setZPosition(z);
        return word;
    };
    root.addSublayer(colored(Qt::red, 1.0));
    root.addSublayer(colored(Qt::blue, 0.0));
    const QImage image = renderLayersToImage(root, {20, 20});
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
}

} // namespace
