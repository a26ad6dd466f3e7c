#include "VerbariumLayout.h"

#include "CharacterClasses.h"
#include "LayoutRules.h"
#include "SpreadBands.h"

#include <cmath>

namespace {

constexpr float leftMargin = 20.0f;
constexpr float rightMargin = 20.0f;
// Running text: the gap before a follower is its font size over this, or, where the
// follower holds punctuation, the font size of the start over the other.
constexpr float wordGapDivisor = 3.0f;
constexpr float punctuationGapDivisor = 10.0f;

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

// Bands in proportion to the leaves below each follower.
class ProportionalBands : public BandShares
{
public:
    explicit ProportionalBands(const VerbariumTree &tree)
        : m_tree(tree)
    {}

    float bandOf(Node child, Node parent, float parentBand) const override
    {
        return parentBand * float(m_tree.countOfLeaves(child)) /
               float(m_tree.countOfLeaves(parent));
    }

private:
    const VerbariumTree &m_tree;
};

// One display: the picture grows as the tree is walked.
class Display
{
public:
    Display(const TextMeasurer &measurer, const BandShares &bands, VerbariumPicture &picture,
            float rootWidth)
        : m_measurer(measurer)
        , m_bands(bands)
        , m_tree(*picture.tree)
        , m_picture(picture)
        , m_rootWidth(rootWidth)
    {}

    // Places the node's word with its left end at position (the middle of its height)
    // and returns where its right end is.
    QPointF placeWord(Node node, QPointF position, float fontSize);
    void displayChildrenOf(Node node, QPointF nodeEnd, QRectF rect, float fontSize,
                           unsigned recDepth);

private:
    void growViewToFit(float width, float height);

    const TextMeasurer &m_measurer;
    const BandShares &m_bands;
    const VerbariumTree &m_tree;
    VerbariumPicture &m_picture;
    float m_rootWidth;
};

QPointF Display::placeWord(Node node, QPointF position, float fontSize)
{
    AttributedString string = wordString(m_tree.word(node), fontSize);
    const QSizeF measured = m_measurer.preferredSize(string);
    const float w = float(measured.width());
    const float h = float(measured.height());
    const float x = float(position.x());
    const float y = float(position.y());
    growViewToFit(x + w + rightMargin, y + h * 0.5f);
    m_picture.words.push_back({node, std::move(string), QPointF(x, y), QSizeF(w, h)});
    return QPointF(x + w, y);
}

void Display::growViewToFit(float width, float height)
{
    QSizeF &size = m_picture.viewSize;
    if (width > float(size.width()))
        size.setWidth(width);
    if (height > float(size.height()))
        size.setHeight(height);
}

void Display::displayChildrenOf(Node startNode, QPointF startEnd, QRectF rect, float fontSize,
                                unsigned recDepth)
{
    // A single follower continues its parent's line. Such runs can be as long as the
    // text, so they are followed in this loop: the call depth stays the number of
    // branchings passed, never the length of a run.
    const TreeLine line = lineAfter(m_tree, startNode, recDepth);
    Node node = startNode;
    QPointF nodeEnd = startEnd;
    for (const Node child : line.run) {
        const float childFontSize = followerFontSize(m_tree, child, m_picture.maxCount);
        // Running text: the gap grows with the word's size, punctuation sits close.
        float x = float(rect.x()) + childFontSize / wordGapDivisor;
        if (containsPunctuation(m_tree.word(child)))
            x = float(rect.x()) + fontSize / punctuationGapDivisor;
        const float band = m_bands.bandOf(child, node, float(rect.height()));
        const float y = float(rect.y()) + float(rect.height()) * 0.5f;
        nodeEnd = placeWord(child, QPointF(x, y), childFontSize);
        rect = QRectF(nodeEnd.x(), float(nodeEnd.y()) - band * 0.5f, m_rootWidth, band);
        node = child;
    }
    if (!line.branching)
        return;

    const float x0 = float(rect.x());
    const float height = float(rect.height());
    float cursor = float(rect.y()) + height;
    const quint32 children = m_tree.childCount(node);
    for (quint32 index = 0; index < children; ++index) {
        const Node child = m_tree.child(node, index);
        const float childFontSize = followerFontSize(m_tree, child, m_picture.maxCount);
        const float band = m_bands.bandOf(child, node, height);
        const float y = cursor - band * 0.5f;
        const float x = x0 + fontSize;
        const QPointF end = placeWord(child, QPointF(x, y), childFontSize);
        m_picture.curves.push_back({nodeEnd, QPointF(x, y)});
        cursor = cursor - band;
        displayChildrenOf(child, end, QRectF(end.x(), cursor, m_rootWidth, band), fontSize,
                          recDepth + 1);
    }
}

} // namespace

VerbariumPicture
VerbariumLayout::displayVerbariumFromNode(std::shared_ptr<const VerbariumTree> tree, Node node,
                                          QRectF bounds, QSizeF frameSize) const
{
    VerbariumPicture picture;
    picture.tree = std::move(tree);
    picture.startNode = node;
    const VerbariumTree &shown = *picture.tree;
    const ProportionalBands bands(shown);
    Display display(m_measurer, bands, picture, float(bounds.width()));
    const QPointF startEnd =
        display.placeWord(node, QPointF(leftMargin, float(bounds.height()) * 0.5f), baseFontSize);
    // The start word itself never enlarges the view.
    picture.viewSize = QSizeF(float(frameSize.width()), float(frameSize.height()));
    if (shown.childCount(node) == 0)
        return picture;
    picture.maxCount = float(shown.count(shown.child(node, 0)));
    display.displayChildrenOf(node, startEnd,
                              QRectF(startEnd.x(), bounds.y(), bounds.width(), bounds.height()),
                              baseFontSize, 0);
    return picture;
}

VerbariumPicture VerbariumLayout::spreadVerbariumFromNode(std::shared_ptr<const VerbariumTree> tree,
                                                          Node node, QSizeF visibleSize) const
{
    VerbariumPicture picture;
    picture.tree = std::move(tree);
    picture.startNode = node;
    const VerbariumTree &shown = *picture.tree;
    if (shown.childCount(node) > 0)
        picture.maxCount = float(shown.count(shown.child(node, 0)));
    const SpreadBands bands(shown, node, picture.maxCount, m_measurer);
    // The whole tree lies in the start word's band, which fills the visible height at
    // least; the view grows to every word, the start word's too.
    const float startBand = std::max(float(visibleSize.height()), bands.need(node));
    picture.viewSize = QSizeF(float(visibleSize.width()), startBand);
    Display display(m_measurer, bands, picture, float(visibleSize.width()));
    const QPointF startEnd =
        display.placeWord(node, QPointF(leftMargin, startBand * 0.5f), baseFontSize);
    display.displayChildrenOf(node, startEnd,
                              QRectF(startEnd.x(), 0.0f, visibleSize.width(), startBand),
                              baseFontSize, 0);
    return picture;
}

VerbariumPicture mirroredPicture(VerbariumPicture picture)
{
    const qreal width = picture.viewSize.width();
    for (PlacedWord &word : picture.words)
        word.position.setX(width - word.position.x() - word.size.width());
    // A curve runs from its left end to its right one: the ends trade places.
    for (PlacedCurve &curve : picture.curves)
        curve = {QPointF(width - curve.to.x(), curve.to.y()),
                 QPointF(width - curve.from.x(), curve.from.y())};
    return picture;
}
