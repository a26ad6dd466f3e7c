#include "TreeChoices.h"

#include "VerbariumLayout.h"

#include <algorithm>
#include <utility>

TreeChoices::Sides TreeChoices::sides() const
{
    if (m_bothSides)
        return Sides::Both;
    return m_wordsBefore ? Sides::Before : Sides::After;
}

bool TreeChoices::setWordsBefore(bool on)
{
    const Sides shown = sides();
    m_wordsBefore = on;
    return sides() != shown;
}

bool TreeChoices::setBothSides(bool on)
{
    const Sides shown = sides();
    m_bothSides = on;
    return sides() != shown;
}

TreeChoices::Request TreeChoices::start(QStringList start)
{
    m_start = std::move(start);
    m_before.clear();
    m_after.clear();
    m_choices.clear();
    return request();
}

std::optional<TreeChoices::Request> TreeChoices::choose(const VerbariumPicture &picture,
                                                        const PlacedWord &word)
{
    if (picture.tree->sequenceTo(picture.tree->root()) != phrase())
        return std::nullopt;
    const VerbariumTree &tree = picture.treeOf(word);
    // The words from the start down to the word, as its side's tree reads them.
    QStringList words = tree.sequenceTo(word.node).mid(tree.sequenceTo(tree.root()).size());
    if (words.isEmpty())
        return std::nullopt;
    // The words before are read backwards, and chosen further and further from the
    // start: they go in front.
    if (word.before) {
        std::ranges::reverse(words);
        m_before = words + m_before;
    } else {
        m_after += words;
    }
    m_choices.push_back({word.before, words.size()});
    return request();
}

std::optional<TreeChoices::Request> TreeChoices::undo()
{
    if (m_choices.empty())
        return std::nullopt;
    const Choice last = m_choices.back();
    m_choices.pop_back();
    if (last.before)
        m_before.remove(0, last.words);
    else
        m_after.resize(m_after.size() - last.words);
    return request();
}

QStringList TreeChoices::phrase() const
{
    return m_before + m_start + m_after;
}

QString TreeChoices::pathText() const
{
    if (m_choices.empty())
        return {};
    QStringList shown = m_before;
    shown << u'‹' + m_start.join(u' ') + u'›';
    shown += m_after;
    return shown.join(u' ');
}
