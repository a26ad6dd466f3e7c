#pragma once

#include <QObject>

class AppController;
class Dialogs;
class InputTextView;
class PictureExport;
class QAction;
class QMenuBar;
class QWidget;
class RecentMenu;

// The menus every window shows: File (Open…, Analyse, Compare With…, Export Cloud…, Export
// Verbarium…, Quit), Edit (the text view's Undo, Redo, Cut, Copy, Paste, Select All;
// Copy takes the picture in the cloud and verbarium windows) and Help (About). The
// actions are shared; each window has its own menu bar holding them.
class AppMenus : public QObject
{
    Q_OBJECT

public:
    // Everything passed in belongs to the user-interface description and outlives this
    // object; the input window is textView's window.
    AppMenus(AppController &controller, PictureExport &pictures, InputTextView *textView,
             Dialogs &dialogs, QObject *parent = nullptr);

    // The File menus of the bars added from now on offer Open Recent from menu, which
    // outlives this object.
    void setRecentMenu(RecentMenu *menu) { m_recentMenu = menu; }
    // Gives window a menu bar with the menus; it owns the bar.
    QMenuBar *addMenuBarTo(QWidget *window);

    QAction *newTextAction() const { return m_newText; }
    QAction *importAction() const { return m_import; }
    QAction *importFolderAction() const { return m_importFolder; }
    // Off until a text is analysed; whoever compares texts turns it on.
    QAction *compareWithAction() const { return m_compareWith; }
    QAction *analyseAction() const { return m_analyse; }
    QAction *exportCloudAction() const { return m_exportCloud; }
    QAction *exportVerbariumAction() const { return m_exportVerbarium; }
    QAction *copyAction() const { return m_copy; }

public slots:
    // Enables each action as the active window and the views say.
    void updateActions();

private:
    QAction *addAction(const QString &text, const QKeySequence &shortcut);
    void copy();
    static bool copiesItself(const QWidget *widget);
    void showAbout();

    AppController &m_controller;
    PictureExport &m_pictures;
    InputTextView *m_textView;
    Dialogs &m_dialogs;
    RecentMenu *m_recentMenu = nullptr;
    // The text view's own states, as its signals last told them.
    bool m_undoAvailable = false;
    bool m_redoAvailable = false;
    bool m_copyAvailable = false;

    // All owned through Qt's parent-child tree (this object).
    QAction *m_newText;
    QAction *m_import;
    QAction *m_importFolder;
    QAction *m_analyse;
    QAction *m_compareWith;
    QAction *m_exportCloud;
    QAction *m_exportVerbarium;
    QAction *m_quit;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_cut;
    QAction *m_copy;
    QAction *m_paste;
    QAction *m_selectAll;
    QAction *m_about;
};
