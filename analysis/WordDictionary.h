#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The word-to-count dictionary: each kept word once, with its occurrence count.
// It keeps the order in which words were added, so the same text always gives the
// same enumeration order.
class WordDictionary
{
public:
    struct Entry
    {
        QString word;
        int count;
        bool operator==(const Entry &) const = default;
    };

    void insert(const QString &word, int count);
    // 0 when the word is not in the dictionary.
    int value(const QString &word) const;
    bool contains(const QString &word) const { return m_index.contains(word); }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    const QList<Entry> &entries() const { return m_entries; }
    auto begin() const { return m_entries.cbegin(); }
    auto end() const { return m_entries.cend(); }

private:
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_index;
};
