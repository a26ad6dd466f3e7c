#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <vector>

class Layer;
class Node;
class TextMeasurer;

// Lays a verbarium tree out as word and curve layers in a root layer: the start word
// at the left, the followers of each word in bands in proportion to their leaf
// counts, two branchings deep. All arithmetic is single precision; the only thing
// taken from the platform is the measured size of a word.
class VerbariumLayout
{
public:
    static constexpr float baseFontSize = 30.0f;
    static constexpr float minimumFontSize = 12.0f;
    // The most words a run of single followers shows. In a text without sentence ends a
    // run goes on to the end of the text: hundreds of thousands of words on one line
    // would freeze the window for a picture nobody can read. Runs in texts with
    // sentence ends are far shorter.
    static constexpr int longestRun = 1000;

    // Both are non-owning: the view (or the caller) owns the root layer, which owns
    // the layers made here, and the measurer outlives the layout.
    VerbariumLayout(Layer &rootLayer, const TextMeasurer &measurer);

    // Replaces the picture by the tree laid out from node, which must share ownership
    // of its tree. frameSize is the view's current frame size; the result is the frame
    // size the view must take, never smaller (unchanged when node has no children).
    QSizeF displayVerbariumFromNode(const std::shared_ptr<Node> &node, QSizeF frameSize);

    // The node the current picture starts from; it does not keep the tree alive.
    std::shared_ptr<Node> startNode() const { return m_startNode.lock(); }
    // The layers of the current picture in the order the display made them. They
    // belong to the root layer.
    const std::vector<Layer *> &layers() const { return m_layers; }
    QSizeF viewSize() const { return QSizeF(m_viewWidth, m_viewHeight); }
    float maxCount() const { return m_maxCount; }

    float followerFontSize(const Node &node) const;

private:
    void displayChildrenOf(const std::shared_ptr<Node> &startNode, QRectF rect, float fontSize,
                           unsigned recDepth);
    QPointF createNodeLayerWithNode(std::shared_ptr<Node> node, QPointF position, float fontSize);
    void getViewDimensionsFittingTo(float width, float height);
    void drawCurveFrom(QPointF from, QPointF to);
    void removeLayers();

    Layer &m_rootLayer;
    const TextMeasurer &m_measurer;
    std::weak_ptr<Node> m_startNode;
    std::vector<Layer *> m_layers; // non-owning: the root layer owns them
    float m_viewWidth = 0.0f;
    float m_viewHeight = 0.0f;
    float m_maxCount = 0.0f;
};
