#include "RecentSources.h"

#include "CorpusNames.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {

QStringList absolutePaths(const QStringList &sources)
{
    QStringList paths;
    for (const QString &source : sources)
        paths.append(QDir::cleanPath(QFileInfo(source).absoluteFilePath()));
    return paths;
}

// The same files and folders, in whatever order they were chosen.
bool sameSources(QStringList one, QStringList other)
{
    one.sort();
    other.sort();
    return one == other;
}

} // namespace

RecentSources::RecentSources(const QList<QStringList> &entries)
{
    // In the order given, each once, however the settings were edited.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!entry->isEmpty())
            add(*entry);
    }
}

void RecentSources::add(const QStringList &sources)
{
    const QStringList paths = absolutePaths(sources);
    remove(paths);
    m_entries.prepend(paths);
    if (m_entries.size() > mostKept)
        m_entries.resize(mostKept);
}

void RecentSources::remove(const QStringList &sources)
{
    const QStringList paths = absolutePaths(sources);
    m_entries.removeIf([&paths](const QStringList &entry) { return sameSources(entry, paths); });
}

QString recentEntryName(const QStringList &sources)
{
    if (sources.size() == 1 || std::any_of(sources.begin(), sources.end(), [](const QString &path) {
            return QFileInfo(path).isDir();
        }))
        return openedSourcesName(sources);
    return corpusDescription(sources, sources.size(), sources.size());
}
