#include "ViewSettings.h"

#include "IndexCache.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

const auto leftOutKey = u"cloud/leaveOut"_s;
const auto indexCacheSizeKey = u"indexCache/sizeLimit"_s;

} // namespace

ViewSettings::ViewSettings(const QString &fileName)
    : m_settings(fileName.isEmpty() ? QSettings(QSettings::IniFormat, QSettings::UserScope,
                                                u"Verbarium"_s, u"Verbarium"_s)
                                          .fileName()
                                    : fileName,
                 QSettings::IniFormat)
{}

bool ViewSettings::value(ViewOption option) const
{
    return m_settings.value(QLatin1StringView(option.key), option.defaultValue).toBool();
}

void ViewSettings::setValue(ViewOption option, bool on)
{
    m_settings.setValue(QLatin1StringView(option.key), on);
}

QString ViewSettings::leftOutWords() const
{
    return m_settings.value(leftOutKey).toString();
}

void ViewSettings::setLeftOutWords(const QString &choice)
{
    m_settings.setValue(leftOutKey, choice);
}

qint64 ViewSettings::indexCacheSize() const
{
    bool valid = false;
    const qint64 bytes = m_settings.value(indexCacheSizeKey).toLongLong(&valid);
    return valid && bytes >= 0 ? bytes : IndexCache::defaultSizeLimit;
}

void ViewSettings::setIndexCacheSize(qint64 bytes)
{
    m_settings.setValue(indexCacheSizeKey, bytes);
}

QString ViewSettings::ownListPath() const
{
    return QFileInfo(m_settings.fileName()).absolutePath() + u"/common-words.txt"_s;
}
