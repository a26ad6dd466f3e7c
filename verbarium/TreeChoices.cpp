#include "LinkedChoices.h"

void LinkedChoices::start(QStringList start)
{
    m_start = std::move(start);
    m_before.clear();
    m_after.clear();
    m_choices.clear();
}

void LinkedChoices::choose(bool before, const QStringList &words)
{
    if (words.isEmpty())
        return;
    // The words before are chosen further and further from the start: they go in front.
    if (before)
        m_before = words + m_before;
    else
        m_after += words;
    m_choices.push_back({before, words.size()});
}

bool LinkedChoices::undo()
{
    if (m_choices.empty())
        return false;
    const Choice last = m_choices.back();
    m_choices.pop_back();
    if (last.before)
        m_before.remove(0, last.words);
    else
        m_after.resize(m_after.size() - last.words);
    return true;
}

QStringList LinkedChoices::phrase() const
{
    return m_before + m_start + m_after;
}

QString LinkedChoices::pathText() const
{
    if (isEmpty())
        return {};
    QStringList shown = m_before;
    shown << u'‹' + m_start.join(u' ') + u'›';
    shown += m_after;
    return shown.join(u' ');
}
