#include "VerbariumLayout.h"

#include "CharacterClasses.h"
#include "ShownWord.h"

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

// One display: the picture grows as the tree is walked.
class Display
{
public:
    Display(const TextMeasurer &measurer, VerbariumPicture &picture, float rootWidth)
        : m_measurer(measurer)
        , m_tree(*picture.tree)
        , m_picture(picture)
        , m_rootWidth(rootWidth)
    {}

    QPointF createNodeLayerWithNode(Node node, QPointF position, float fontSize);
    void displayChildrenOf(Node node, QPointF nodeEnd, QRectF rect, float fontSize,
                           unsigned recDepth);

private:
    float followerFontSize(Node node) const
    {
        const float base = VerbariumLayout::baseFontSize;
        return base * log10f(10.0f * float(m_tree.count(node)) / m_picture.maxCount + 1.0f);
    }
    // A band's share of its parent's height, by leaf counts.
    float bandHeight(float parentHeight, Node child, Node parent) const
    {
        return parentHeight * float(m_tree.countOfLeaves(child)) /
               float(m_tree.countOfLeaves(parent));
    }
    void getViewDimensionsFittingTo(float width, float height);

    const TextMeasurer &m_measurer;
    const VerbariumTree &m_tree;
    VerbariumPicture &m_picture;
    float m_rootWidth;
};

QPointF Display::createNodeLayerWithNode(Node node, QPointF position, float fontSize)
{
    const float drawnSize =
        fontSize >= VerbariumLayout::minimumFontSize ? fontSize : VerbariumLayout::minimumFontSize;
    AttributedString string{drawnWord(m_tree.word(node)), wordFontName, drawnSize, std::nullopt};
    const QSizeF measured = m_measurer.preferredSize(string);
    const float w = float(measured.width());
    const float h = float(measured.height());
    const float x = float(position.x());
    const float y = float(position.y());
    getViewDimensionsFittingTo(x + w + rightMargin, y + h * 0.5f);
    m_picture.words.push_back({node, std::move(string), QPointF(x, y), QSizeF(w, h)});
    return QPointF(x + w, y);
}

void Display::getViewDimensionsFittingTo(float width, float height)
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
    Node node = startNode;
    QPointF nodeEnd = startEnd;
    for (quint32 runLength = 0;; ++runLength) {
        if (recDepth + 1 > maximumDepth)
            return;
        const quint32 children = m_tree.childCount(node);
        if (children == 0)
            return;
        if (children > 1)
            break;
        if (runLength == VerbariumLayout::longestRun)
            return;
        const Node child = m_tree.child(node, 0);
        const float childFontSize = followerFontSize(child);
        // Running text: the gap grows with the word's size, punctuation sits close.
        float x = float(rect.x()) + childFontSize / 3.0f;
        if (containsPunctuation(m_tree.word(child)))
            x = float(rect.x()) + fontSize / 10.0f;
        const float band = bandHeight(float(rect.height()), child, node);
        const float y = float(rect.y()) + float(rect.height()) * 0.5f;
        nodeEnd = createNodeLayerWithNode(child, QPointF(x, y), childFontSize);
        rect = QRectF(nodeEnd.x(), float(nodeEnd.y()) - band * 0.5f, m_rootWidth, band);
        node = child;
    }

    const float x0 = float(rect.x());
    const float height = float(rect.height());
    float cursor = float(rect.y()) + height;
    const quint32 children = m_tree.childCount(node);
    for (quint32 index = 0; index < children; ++index) {
        const Node child = m_tree.child(node, index);
        const float childFontSize = followerFontSize(child);
        const float band = bandHeight(height, child, node);
        const float y = cursor - band * 0.5f;
        const float x = x0 + fontSize;
        const QPointF end = createNodeLayerWithNode(child, QPointF(x, y), childFontSize);
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
    Display display(m_measurer, picture, float(bounds.width()));
    const QPointF startEnd = display.createNodeLayerWithNode(
        node, QPointF(leftMargin, float(bounds.height()) * 0.5f), baseFontSize);
    // The start word itself never enlarges the view.
    picture.viewSize = QSizeF(float(frameSize.width()), float(frameSize.height()));
    const VerbariumTree &shown = *picture.tree;
    if (shown.childCount(node) == 0)
        return picture;
    picture.maxCount = float(shown.count(shown.child(node, 0)));
    display.displayChildrenOf(node, startEnd,
                              QRectF(startEnd.x(), bounds.y(), bounds.width(), bounds.height()),
                              baseFontSize, 0);
    return picture;
}
