#include "WordDictionary.h"

void WordDictionary::insert(const QString &word, int count)
{
    const auto found = m_index.constFind(word);
    if (found != m_index.cend()) {
        m_entries[*found].count = count;
        return;
    }
    m_index.insert(word, m_entries.size());
    m_entries.append({word, count});
}

int WordDictionary::value(const QString &word) const
{
    const auto found = m_index.constFind(word);
    return found == m_index.cend() ? 0 : m_entries[*found].count;
}
