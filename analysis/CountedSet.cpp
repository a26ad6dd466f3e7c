#include "CountedSet.h"

void CountedSet::add(QStringView word, qsizetype times)
{
    Q_ASSERT(times > 0);
    ensureIndex();
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
    ensureIndex();
    const auto found = m_index.constFind(word);
    return found == m_index.cend() ? 0 : m_entries[*found].count;
}

void CountedSet::reserve(qsizetype distinctWords)
{
    m_entries.reserve(size_t(distinctWords));
    m_index.reserve(distinctWords);
}

CountedSet CountedSet::fromDistinct(std::vector<Entry> entries)
{
    CountedSet set;
    set.m_entries = std::move(entries);
    set.m_indexed = set.m_entries.empty();
    return set;
}

void CountedSet::ensureIndex() const
{
    if (m_indexed)
        return;
    m_index.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) {
        Q_ASSERT(!m_index.contains(m_entries[size_t(i)].word));
        m_index.insert(QStringView(m_entries[size_t(i)].word), i);
    }
    m_indexed = true;
}
