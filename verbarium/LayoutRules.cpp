#include "LayoutRules.h"

#include "ShownWord.h"
#include "VerbariumLayout.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// Branchings passed on the way from the start word below which nothing is drawn.
constexpr unsigned maximumDepth = 2;

} // namespace

TreeLine lineAfter(const VerbariumTree &tree, Node node, unsigned depth)
{
    TreeLine line;
    if (depth + 1 > maximumDepth)
        return line;
    for (;;) {
        const quint32 children = tree.childCount(node);
        if (children == 0)
            return line;
        if (children > 1) {
            line.branching = node;
            return line;
        }
        if (line.run.size() == VerbariumLayout::longestRun)
            return line;
        node = tree.child(node, 0);
        line.run.push_back(node);
    }
}

float followerFontSize(const VerbariumTree &tree, Node node, float maxCount)
{
    const float base = VerbariumLayout::baseFontSize;
    return base * log10f(10.0f * float(tree.count(node)) / maxCount + 1.0f);
}

AttributedString wordString(const QString &word, float fontSize)
{
    const float drawnSize =
        fontSize >= VerbariumLayout::minimumFontSize ? fontSize : VerbariumLayout::minimumFontSize;
    return {drawnWord(word), u"Futura-CondensedMedium"_s, drawnSize, std::nullopt};
}
