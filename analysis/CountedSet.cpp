#include "CountedSet.h"

void CountedSet::add(QStringView word, qsizetype times)
{
    Q_ASSERT(times > 0);
    const auto found = m_index.constFind(word);
    if (found != m_index.cend()) {
        m_entries[*found].count += times;
        return;
    }
    m_entries.push_back({word.toString(), times});
    m_index.insert(QStringView(m_entries.back().word), size() - 1);
}

qsizetype CountedSet::countFor(QStringView word) const
{
    const auto found = m_index.constFind(word);
    return found == m_index.cend() ? 0 : m_entries[*found].count;
}

void CountedSet::reserve(qsizetype distinctWords)
{
    m_entries.reserve(size_t(distinctWords));
    m_index.reserve(distinctWords);
}
