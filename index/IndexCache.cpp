#include "IndexCache.h"

#include "SectionFile.h"
#include "StopCheck.h"
#include "TextIndex.h"
#include "WorkerPool.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString fileSuffix = u".vidx"_s;
// A writer that has not renamed its file within this long is taken for gone.
constexpr qint64 abandonedAfterSeconds = 24 * 60 * 60;

} // namespace

IndexCache::IndexCache(QString directory, qint64 sizeLimit)
    : m_directory(std::move(directory))
    , m_sizeLimit(std::max<qint64>(0, sizeLimit))
{}

QString IndexCache::defaultDirectory()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    // A relative XDG_CACHE_HOME is not to be trusted (it would follow the working folder):
    // the freedesktop rule is to ignore it.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + u"/.cache"_s;
    return base + u"/verbarium"_s;
}

TextKey IndexCache::keyOf(QStringView text)
{
    const std::span<const char> bytes(reinterpret_cast<const char *>(text.utf16()),
                                      std::size_t(text.size()) * sizeof(char16_t));
    return {contentHashOf(bytes, indexFileVersion), quint32(text.size())};
}

TextKey IndexCache::keyOf(QStringView text, std::span<const TextSpan> parts)
{
    TextKey key = keyOf(text);
    if (parts.size() < 2)
        return key;
    const std::span<const char> bounds(reinterpret_cast<const char *>(parts.data()),
                                       parts.size_bytes());
    const std::array<quint64, 2> ofBounds = contentHashOf(bounds, key.hash[0]);
    key.hash = {ofBounds[0], ofBounds[1] ^ key.hash[1]};
    return key;
}

QString IndexCache::pathOf(const IndexFileKey &key) const
{
    return m_directory + u'/' + QString::number(key.text.hash[0], 16).rightJustified(16, u'0') +
           QString::number(key.text.hash[1], 16).rightJustified(16, u'0') +
           (key.backward ? u"-before"_s : QString()) + fileSuffix;
}

std::shared_ptr<const TextIndex>
IndexCache::read(const IndexFileKey &key, const std::shared_ptr<const TextIndex> &forward) const
{
    const QString path = pathOf(key);
    if (m_sizeLimit == 0 || !QFileInfo::exists(path))
        return nullptr;
    auto index = readIndexFile(path, key, forward);
    if (!index) {
        // Cut short, damaged, of another version or machine: made again next time.
        QFile::remove(path);
        return nullptr;
    }
    // Used now: the last to go when room is made.
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    return index;
}

std::shared_ptr<const TextIndex> IndexCache::open(const TextKey &key) const
{
    return read({key, false}, nullptr);
}

std::shared_ptr<const TextIndex>
IndexCache::openBefore(const TextKey &key, const std::shared_ptr<const TextIndex> &forward) const
{
    return read({key, true}, forward);
}

QString IndexCache::keep(const TextKey &key, const TextIndex &index, std::stop_token stop) const
{
    if (m_sizeLimit == 0)
        return {};
    if (!QDir().mkpath(m_directory))
        return QObject::tr("Cannot make the folder %1.").arg(m_directory);
    const QString problem = writeIndexFile(pathOf({key, index.readsBackward()}), index,
                                           {key, index.readsBackward()}, std::move(stop), m_watch);
    makeRoom();
    return problem;
}

void IndexCache::makeRoom() const
{
    const QDir directory(m_directory);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // What writers left: their temporary files beside the ones they would have become.
    for (const QFileInfo &left :
         directory.entryInfoList({u"*"_s + fileSuffix + u".*"_s}, QDir::Files | QDir::Hidden)) {
        if (left.lastModified().secsTo(now) > abandonedAfterSeconds)
            QFile::remove(left.filePath());
    }
    qint64 total = 0;
    // Newest first: the oldest go once the newer fill the limit.
    for (const QFileInfo &kept :
         directory.entryInfoList({u"*"_s + fileSuffix}, QDir::Files, QDir::Time)) {
        total += kept.size();
        if (total > m_sizeLimit)
            QFile::remove(kept.filePath());
    }
}

void keepInBackground(const KeptIndex &kept, std::shared_ptr<const TextIndex> index,
                      std::stop_token stop)
{
    // What could not be kept is built again next time: nobody is told.
    workerPool().start([kept, index = std::move(index), stop = std::move(stop)] {
        try {
            kept.cache.keep(kept.key, *index, stop);
        } catch (const WorkStopped &) {
        } catch (const std::bad_alloc &) {
        }
    });
}

std::shared_ptr<const TextIndex> indexBefore(const std::shared_ptr<const TextIndex> &forward,
                                             std::stop_token stop)
{
    const KeptIndex *kept = forward->kept();
    if (kept) {
        if (auto index = kept->cache.openBefore(kept->key, forward))
            return index;
    }
    auto built = TextIndex::build(forward->tokens().reversed(), stop);
    if (kept)
        keepInBackground(*kept, built, std::move(stop));
    return built;
}
