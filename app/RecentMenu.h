#pragma once

#include "RecentSources.h"

#include <QObject>

class AppController;
class Dialogs;
class QMenu;
class ViewSettings;

// File ▸ Open Recent: the files and folders opened lately, remembered in the settings,
// each opened again as File ▸ Open… or Open Folder… opens it, and Clear Menu. An entry
// whose files and folders are all gone is said so and taken off the list.
class RecentMenu : public QObject
{
    Q_OBJECT

public:
    // All three outlive this object.
    RecentMenu(ViewSettings &settings, AppController &controller, Dialogs &dialogs,
               QObject *parent = nullptr);

    // Adds the Open Recent submenu to a window's File menu, which owns it.
    void addTo(QMenu *fileMenu);
    const RecentSources &sources() const { return m_sources; }
    // Opens the entry as the user's choice from the menu does.
    void open(const QStringList &sources);

private:
    void fill(QMenu *menu);
    void remember(const QStringList &sources);
    void store();

    ViewSettings &m_settings;
    AppController &m_controller;
    Dialogs &m_dialogs;
    RecentSources m_sources;
};
