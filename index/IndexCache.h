#pragma once

#include "IndexFile.h"
#include "SpanList.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <span>
#include <stop_token>

class TextIndex;

// The folder where the indexes of texts are kept between runs, so that a text opened
// again is not indexed again: a file for each text's index and one for the index of
// its words before, named after a hash of the text's characters. Files used least
// recently go first once the folder holds more than its size limit. Any number of
// processes may use the folder at once: files appear whole, by renaming, and a damaged
// or foreign file is removed and made again.
class IndexCache
{
public:
    static constexpr qint64 defaultSizeLimit = 2'000'000'000;

    // sizeLimit in bytes; 0 keeps nothing.
    explicit IndexCache(QString directory = defaultDirectory(),
                        qint64 sizeLimit = defaultSizeLimit);

    // $XDG_CACHE_HOME/verbarium, or ~/.cache/verbarium without it.
    static QString defaultDirectory();
    // What a text's indexes are kept under.
    static TextKey keyOf(QStringView text);
    // The key of a corpus read as text, its files at parts: the same text cut into other
    // files has other walks.
    static TextKey keyOf(QStringView text, std::span<const TextSpan> parts);

    const QString &directory() const { return m_directory; }
    qint64 sizeLimit() const { return m_sizeLimit; }
    // Who is told of the files being written, from now on.
    void setTemporaryFileWatch(TemporaryFileWatch watch) { m_watch = watch; }

    // The text's index kept before, or none.
    std::shared_ptr<const TextIndex> open(const TextKey &key) const;
    // The index of the words before kept for the text whose own index (read from here or
    // built) is forward, or none.
    std::shared_ptr<const TextIndex>
    openBefore(const TextKey &key, const std::shared_ptr<const TextIndex> &forward) const;
    // Keeps index (the text's own or of its words before) for the text of key, then
    // makes room. Returns why it could not, empty on success. Throws WorkStopped once
    // stop is requested.
    QString keep(const TextKey &key, const TextIndex &index, std::stop_token stop = {}) const;

private:
    QString pathOf(const IndexFileKey &key) const;
    std::shared_ptr<const TextIndex> read(const IndexFileKey &key,
                                          const std::shared_ptr<const TextIndex> &forward) const;
    // Removes the files used least recently until the rest fit the size limit, and what
    // writers that never finished left.
    void makeRoom() const;

    QString m_directory;
    qint64 m_sizeLimit;
    TemporaryFileWatch m_watch;
};

// Where a text's indexes are kept: the cache and the text's key in it.
struct KeptIndex
{
    IndexCache cache;
    TextKey key;
};

// Keeps index where kept says on a worker of its own, nobody waiting for it; a stop
// requested through stop ends it, leaving nothing behind.
void keepInBackground(const KeptIndex &kept, std::shared_ptr<const TextIndex> index,
                      std::stop_token stop);

// The index of the words before of the text whose own index is forward: read from where
// forward is kept, or else built and then kept there in the background. Throws
// WorkStopped once stop is requested.
std::shared_ptr<const TextIndex> indexBefore(const std::shared_ptr<const TextIndex> &forward,
                                             std::stop_token stop);
