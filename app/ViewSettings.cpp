#include "ViewSettings.h"

#include "IndexCache.h"
#include "OwnFiles.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto leftOutKey = u"cloud/leaveOut"_s;
const auto indexCacheSizeKey = u"indexCache/sizeLimit"_s;
const auto recentKey = u"recent"_s;
const auto recentSourcesKey = u"sources"_s;

// Where QSettings keeps the user's INI settings, found without opening them.
QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/Verbarium/Verbarium.ini"_s;
}

// Renames a bad settings file out of the way; the note for the user, and whether the
// file is gone from its place.
std::pair<QString, bool> setAside(const QString &fileName, const QString &problem)
{
    const QString aside =
        fileName + u".set-aside-"_s + QDateTime::currentDateTime().toString(u"yyyyMMdd-hhmmss"_s);
    if (QFile::rename(fileName, aside))
        return {QObject::tr("%1. It was set aside as %2, and Verbarium starts with its default "
                            "settings.")
                    .arg(problem, aside),
                true};
    return {QObject::tr("%1, and it could not be set aside. Verbarium starts with its default "
                        "settings and remembers none of them.")
                .arg(problem),
            false};
}

// A file that reads as nothing and keeps nothing: where settings go that cannot be
// kept in their own file.
const QString noSettingsFile = u"/dev/null"_s;

} // namespace

ViewSettings::ViewSettings(const QString &fileName)
    : m_fileName(fileName.isEmpty() ? userSettingsFile() : fileName)
    , m_settings(std::make_unique<QSettings>(usableFile(), QSettings::IniFormat))
{}

ViewSettings::~ViewSettings() = default;

QString ViewSettings::usableFile()
{
    // QSettings reads the whole file, whatever it is, before any window shows.
    std::optional<QString> problem = ownFileProblem(m_fileName);
    if (!problem && QSettings(m_fileName, QSettings::IniFormat).status() == QSettings::FormatError)
        problem = QObject::tr("%1: is not a settings file Verbarium can read").arg(m_fileName);
    if (!problem)
        return m_fileName;
    const auto [note, gone] = setAside(m_fileName, *problem);
    m_setAsideNote = note;
    return gone ? m_fileName : noSettingsFile;
}

bool ViewSettings::value(ViewOption option) const
{
    return m_settings->value(QLatin1StringView(option.key), option.defaultValue).toBool();
}

void ViewSettings::setValue(ViewOption option, bool on)
{
    m_settings->setValue(QLatin1StringView(option.key), on);
}

QString ViewSettings::leftOutWords() const
{
    return m_settings->value(leftOutKey).toString();
}

void ViewSettings::setLeftOutWords(const QString &choice)
{
    m_settings->setValue(leftOutKey, choice);
}

qint64 ViewSettings::indexCacheSize() const
{
    bool valid = false;
    const qint64 bytes = m_settings->value(indexCacheSizeKey).toLongLong(&valid);
    return valid && bytes >= 0 ? bytes : IndexCache::defaultSizeLimit;
}

void ViewSettings::setIndexCacheSize(qint64 bytes)
{
    m_settings->setValue(indexCacheSizeKey, bytes);
}

QList<QStringList> ViewSettings::recentSources() const
{
    QList<QStringList> entries;
    const int size = m_settings->beginReadArray(recentKey);
    for (int index = 0; index < size; ++index) {
        m_settings->setArrayIndex(index);
        if (QStringList sources = m_settings->value(recentSourcesKey).toStringList();
            !sources.isEmpty())
            entries.append(std::move(sources));
    }
    m_settings->endArray();
    return entries;
}

void ViewSettings::setRecentSources(const QList<QStringList> &entries)
{
    m_settings->remove(recentKey);
    m_settings->beginWriteArray(recentKey, int(entries.size()));
    for (int index = 0; index < entries.size(); ++index) {
        m_settings->setArrayIndex(index);
        m_settings->setValue(recentSourcesKey, entries[index]);
    }
    m_settings->endArray();
}

QString ViewSettings::ownListPath() const
{
    return QFileInfo(m_fileName).absolutePath() + u"/common-words.txt"_s;
}
