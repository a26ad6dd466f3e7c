#include "VerbariumLayout.h"

#include "CharacterClasses.h"
#include "CurveLayer.h"
#include "Node.h"
#include "NodeLayer.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString wordFontName = u"Futura-CondensedMedium"_s;
constexpr float leftMargin = 20.0f;
constexpr float rightMargin = 20.0f;
// Branchings passed on the way from the start word below which nothing is drawn.
constexpr unsigned maximumDepth = 2;

bool containsPunctuation(QStringView word)
{
    for (qsizetype i = 0; i < word.size();) {
        const auto character = CharacterClasses::characterAt(word, i);
        if (CharacterClasses::isPunctuation(character.codePoint))
            return true;
        i += character.length;
    }
    return false;
}

// A band's share of its parent's height, by leaf counts.
float bandHeight(float parentHeight, const Node &child, const Node &parent)
{
    return parentHeight * float(child.countOfLeaves()) / float(parent.countOfLeaves());
}

std::shared_ptr<Node> sharedChild(const std::shared_ptr<Node> &parent, Node *child)
{
    return std::shared_ptr<Node>(parent, child);
}

} // namespace

VerbariumLayout::VerbariumLayout(Layer &rootLayer, const TextMeasurer &measurer)
    : m_rootLayer(rootLayer)
    , m_measurer(measurer)
{}

float VerbariumLayout::followerFontSize(const Node &node) const
{
    return baseFontSize * log10f(10.0f * float(node.count()) / m_maxCount + 1.0f);
}

QSizeF VerbariumLayout::displayVerbariumFromNode(const std::shared_ptr<Node> &node,
                                                 QSizeF frameSize)
{
    // The caller's pointer may be the last owner once the old layers go, so hold it.
    const std::shared_ptr<Node> startNode = node;
    m_startNode = startNode;
    m_rootLayer.setName(u"mainLayer"_s);
    const QRectF bounds = m_rootLayer.bounds();
    removeLayers();

    const float boundsHeight = float(bounds.height());
    const QPointF startEnd =
        createNodeLayerWithNode(startNode, QPointF(leftMargin, boundsHeight * 0.5f), baseFontSize);
    startNode->setPos(startEnd);
    // The start word itself never enlarges the view.
    m_viewWidth = float(frameSize.width());
    m_viewHeight = float(frameSize.height());
    if (startNode->children().empty())
        return frameSize;

    m_maxCount = float(startNode->children().front()->count());
    displayChildrenOf(startNode, QRectF(startEnd.x(), bounds.y(), bounds.width(), bounds.height()),
                      baseFontSize, 0);
    return viewSize();
}

void VerbariumLayout::displayChildrenOf(const std::shared_ptr<Node> &startNode, QRectF rect,
                                        float fontSize, unsigned recDepth)
{
    // A single follower continues its parent's line. Such runs can be as long as the
    // text, so they are followed in this loop: the call depth stays the number of
    // branchings passed, never the length of a run.
    std::shared_ptr<Node> node = startNode;
    for (int runLength = 0;; ++runLength) {
        // Below the second branching nothing is drawn: stop before reading the children,
        // which would make a lazily grown tree build nodes nobody sees.
        if (recDepth + 1 > maximumDepth)
            return;
        const auto &children = node->children();
        if (children.empty())
            return;
        if (children.size() > 1)
            break;
        if (runLength == longestRun)
            return;
        const std::shared_ptr<Node> child = sharedChild(node, children.front().get());
        const float childFontSize = followerFontSize(*child);
        // Running text: the gap grows with the word's size, punctuation sits close.
        float x = float(rect.x()) + childFontSize / 3.0f;
        if (containsPunctuation(child->word()))
            x = float(rect.x()) + fontSize / 10.0f;
        const float band = bandHeight(float(rect.height()), *child, *node);
        const float y = float(rect.y()) + float(rect.height()) * 0.5f;
        const QPointF end = createNodeLayerWithNode(child, QPointF(x, y), childFontSize);
        child->setPos(end);
        rect = QRectF(end.x(), float(end.y()) - band * 0.5f, m_rootLayer.bounds().width(), band);
        node = child;
    }

    const float x0 = float(rect.x());
    const float height = float(rect.height());
    float cursor = float(rect.y()) + height;
    for (const auto &owned : node->children()) {
        const std::shared_ptr<Node> child = sharedChild(node, owned.get());
        const float childFontSize = followerFontSize(*child);
        const float band = bandHeight(height, *child, *node);
        const float y = cursor - band * 0.5f;
        const float x = x0 + fontSize;
        const QPointF end = createNodeLayerWithNode(child, QPointF(x, y), childFontSize);
        child->setPos(end);
        drawCurveFrom(node->pos(), QPointF(x, y));
        cursor = cursor - band;
        displayChildrenOf(child, QRectF(end.x(), cursor, m_rootLayer.bounds().width(), band),
                          fontSize, recDepth + 1);
    }
}

QPointF VerbariumLayout::createNodeLayerWithNode(std::shared_ptr<Node> node, QPointF position,
                                                 float fontSize)
{
    const float drawnSize = fontSize >= minimumFontSize ? fontSize : minimumFontSize;
    const QString word = node->word();
    auto owned = std::make_unique<NodeLayer>(std::move(node));
    NodeLayer *layer = owned.get();
    m_rootLayer.addSublayer(std::move(owned));
    layer->setZPosition(1.0);
    m_layers.push_back(layer);
    layer->setAlignmentMode(TextLayer::Alignment::Center);
    layer->setString(AttributedString{word, wordFontName, drawnSize, std::nullopt});
    layer->setName(word);

    const QSizeF measured = layer->preferredFrameSize(m_measurer);
    const float w = float(measured.width());
    const float h = float(measured.height());
    const float x = float(position.x());
    const float y = float(position.y());
    getViewDimensionsFittingTo(x + w + rightMargin, y + h * 0.5f);
    layer->setBounds(QRectF(0.0, 0.0, w, h));
    layer->setAnchorPoint(QPointF(0.0, 0.5));
    layer->setPosition(QPointF(x, y));
    return QPointF(x + w, y);
}

void VerbariumLayout::getViewDimensionsFittingTo(float width, float height)
{
    if (width > m_viewWidth)
        m_viewWidth = width;
    if (height > m_viewHeight)
        m_viewHeight = height;
}

void VerbariumLayout::drawCurveFrom(QPointF from, QPointF to)
{
    std::unique_ptr<CurveLayer> curve = CurveLayer::initWithStartNode(from, to);
    m_layers.push_back(curve.get());
    curve->setZPosition(0.0);
    CurveLayer *shown = curve.get();
    m_rootLayer.addSublayer(std::move(curve));
    shown->display();
}

void VerbariumLayout::removeLayers()
{
    // Newest first: each is then the last sublayer, which is quick to take out.
    for (auto layer = m_layers.rbegin(); layer != m_layers.rend(); ++layer)
        (*layer)->removeFromSuperlayer();
    m_layers.clear();
}
