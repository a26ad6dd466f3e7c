#pragma once

#include <QList>
#include <QStringList>

// The files and folders opened lately, as Open Recent offers them: most recent first,
// each entry what was opened at once (a file, a folder, or several files as one
// corpus), by absolute paths, so that a relative path given once still leads there.
// Opening an entry again moves it to the front; the oldest go past mostKept.
class RecentSources
{
public:
    static constexpr qsizetype mostKept = 10;

    explicit RecentSources(const QList<QStringList> &entries = {});

    const QList<QStringList> &entries() const { return m_entries; }
    // sources were opened just now.
    void add(const QStringList &sources);
    void remove(const QStringList &sources);
    void clear() { m_entries.clear(); }

private:
    QList<QStringList> m_entries;
};

// What Open Recent calls an entry: "book.txt", "chapters", "3 files from chapters" or
// "3 files and folders", escaped.
QString recentEntryName(const QStringList &sources);
