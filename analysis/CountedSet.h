#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

// A multiset of words that enumerates its distinct words in the order of their
// first occurrence, so that everything built from it is deterministic.
class CountedSet
{
public:
    struct Entry
    {
        QString word;
        qsizetype count;
    };

    // Allocates a string only for a word not seen before.
    void add(QStringView word, qsizetype times = 1);
    // 0 when the word is not in the set.
    qsizetype countFor(QStringView word) const;
    qsizetype size() const { return qsizetype(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    void reserve(qsizetype distinctWords);

    // A set of words known to be distinct, with their counts, in that order.
    static CountedSet fromDistinct(std::vector<Entry> entries);

    auto begin() const { return m_entries.cbegin(); }
    auto end() const { return m_entries.cend(); }

private:
    void ensureIndex() const;

    std::vector<Entry> m_entries;
    // The keys view the entries' strings: moving a QString keeps its character
    // buffer in place, so they stay valid when m_entries grows. Built on the first
    // lookup, since a set that is only enumerated (the usual case) never needs it.
    mutable QHash<QStringView, qsizetype> m_index;
    mutable bool m_indexed = true;
};
