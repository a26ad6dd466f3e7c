#include "RecentMenu.h"

#include "AppController.h"
#include "Dialogs.h"
#include "MessageText.h"
#include "ViewSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A path as a menu's tooltip shows it, the home folder as "~".
QString shownPath(const QString &path)
{
    const QString home = QDir::homePath();
    if (path.startsWith(home + u'/'))
        return u"~"_s + path.mid(home.size());
    return path;
}

} // namespace

RecentMenu::RecentMenu(ViewSettings &settings, AppController &controller, Dialogs &dialogs,
                       QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_controller(controller)
    , m_dialogs(dialogs)
    , m_sources(settings.recentSources())
{
    connect(&m_controller, &AppController::sourcesOpened, this, &RecentMenu::remember);
}

void RecentMenu::addTo(QMenu *fileMenu)
{
    QMenu *menu = fileMenu->addMenu(tr("Open &Recent"));
    menu->setToolTipsVisible(true);
    // Filled as it opens, so that every window's menu shows the list as it is now.
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fill(menu); });
    fill(menu);
}

void RecentMenu::fill(QMenu *menu)
{
    menu->clear();
    const QList<QStringList> &entries = m_sources.entries();
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const QStringList &sources = entries[index];
        QString name = recentEntryName(sources);
        name.replace(u'&', u"&&"_s);
        // The first nine are a key away.
        QAction *action = menu->addAction(index < 9 ? u"&%1 %2"_s.arg(index + 1).arg(name) : name);
        QStringList paths;
        for (const QString &path : sources)
            paths.append(escapedControls(shownPath(path)));
        action->setToolTip(paths.join(u'\n'));
        connect(action, &QAction::triggered, this, [this, sources] { open(sources); });
    }
    if (entries.isEmpty())
        menu->addAction(tr("No Recent Files"))->setEnabled(false);
    menu->addSeparator();
    QAction *clear = menu->addAction(tr("&Clear Menu"));
    clear->setEnabled(!entries.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        m_sources.clear();
        store();
    });
}

void RecentMenu::open(const QStringList &sources)
{
    // Several files opened at once open as a corpus of those still there; the corpus bar
    // names the rest.
    const bool anyThere = std::any_of(sources.begin(), sources.end(),
                                      [](const QString &path) { return QFileInfo::exists(path); });
    if (!anyThere) {
        m_sources.remove(sources);
        store();
        const QString what =
            sources.size() == 1 ? escapedControls(sources.front()) : recentEntryName(sources);
        m_dialogs.runAlert(tr("Cannot Open %1").arg(recentEntryName(sources)),
                           tr("%1 is no longer there: it was moved, renamed or deleted. It is "
                              "taken off the Open Recent menu.")
                               .arg(what),
                           u"OK"_s);
        return;
    }
    m_controller.openFiles(sources);
}

void RecentMenu::remember(const QStringList &sources)
{
    m_sources.add(sources);
    store();
}

void RecentMenu::store()
{
    m_settings.setRecentSources(m_sources.entries());
    m_settings.save();
}
