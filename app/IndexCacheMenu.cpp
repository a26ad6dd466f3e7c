#include "IndexCacheMenu.h"

#include "IndexCache.h"
#include "TextPipeline.h"
#include "ViewSettings.h"

#include <QActionGroup>
#include <QLocale>
#include <QMenu>

IndexCacheMenu::IndexCacheMenu(ViewSettings &settings, TextPipeline &pipeline, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_pipeline(pipeline)
    , m_keep(new QAction(tr("&Keep Indexes Between Runs"), this))
    , m_sizes(new QActionGroup(this))
{
    m_keep->setCheckable(true);
    m_keep->setChecked(m_settings.value(ViewSettings::keepIndexes));
    const qint64 chosen = m_settings.indexCacheSize();
    for (const qint64 bytes : {500'000'000LL, 1'000'000'000LL, IndexCache::defaultSizeLimit,
                               5'000'000'000LL, 10'000'000'000LL}) {
        QAction *size = m_sizes->addAction(
            tr("At Most %1").arg(QLocale().formattedDataSize(bytes, 0, QLocale::DataSizeSIFormat)));
        size->setCheckable(true);
        size->setData(bytes);
        size->setChecked(bytes == chosen);
    }
    connect(m_keep, &QAction::toggled, this, &IndexCacheMenu::remember);
    connect(m_sizes, &QActionGroup::triggered, this, &IndexCacheMenu::remember);
    apply();
}

QMenu *IndexCacheMenu::makeMenu(QWidget *parent) const
{
    auto *menu = new QMenu(tr("Index &Cache"), parent);
    menu->addAction(m_keep);
    menu->addSeparator();
    menu->addActions(m_sizes->actions());
    return menu;
}

QList<QAction *> IndexCacheMenu::sizeActions() const
{
    return m_sizes->actions();
}

void IndexCacheMenu::remember()
{
    m_settings.setValue(ViewSettings::keepIndexes, m_keep->isChecked());
    if (const QAction *size = m_sizes->checkedAction())
        m_settings.setIndexCacheSize(size->data().toLongLong());
    apply();
}

void IndexCacheMenu::apply()
{
    for (QAction *size : m_sizes->actions())
        size->setEnabled(m_keep->isChecked());
    if (m_keep->isChecked())
        m_pipeline.setCache(
            IndexCache(IndexCache::defaultDirectory(), m_settings.indexCacheSize()));
    else
        m_pipeline.setCache(std::nullopt);
}
