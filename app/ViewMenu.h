#pragma once

#include "LeftOutWords.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <memory>

class IndexCacheMenu;
class KeynessWindow;
class LayerHostWidget;
class OwnListEditor;
class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;
class VerbariumView;
class ViewSettings;
class WordCloudView;

// The View menu (zoom of the picture in the active window; the verbarium's layout, its
// direction (after, before or both sides) and its contexts pane; the cloud's options; all
// remembered but the choice of words after or before) and the Window menu (each window brought
// forward by name, hiding what bringing it forward hides). The actions are shared by every window's
// menu bar.
class ViewMenu : public QObject
{
    Q_OBJECT

public:
    // The windows, views and settings belong to the user-interface description and
    // outlive this object. The cloud takes the remembered options at once.
    ViewMenu(ViewSettings &settings, QWidget *inputWindow, WordCloudView *cloudView,
             VerbariumView *verbariumView, QWidget *contextsPane, QObject *parent = nullptr);
    ~ViewMenu() override;

    // The index cache's menu, put at the end of the View menus made from now on.
    void setIndexCacheMenu(const IndexCacheMenu *menu) { m_indexCacheMenu = menu; }
    // The window of comparisons, which the Window menu brings forward once it has one.
    void setKeynessWindow(KeynessWindow *window) { m_keynessWindow = window; }
    // Puts the two menus into bar, before its last menu (Help).
    void addMenusTo(QMenuBar *bar);

    QAction *zoomInAction() const { return m_zoomIn; }
    QAction *zoomOutAction() const { return m_zoomOut; }
    QAction *zoomToFitAction() const { return m_zoomToFit; }
    // Checkable: the verbarium's layout with room for every word.
    QAction *roomForEveryWordAction() const { return m_roomForEveryWord; }
    // One of the three is checked: the verbarium shows the words after its start, those
    // before it, or both sides.
    QAction *wordsAfterAction() const { return m_wordsAfter; }
    QAction *wordsBeforeAction() const { return m_wordsBefore; }
    QAction *bothSidesAction() const { return m_bothSides; }
    // Checkable: the contexts pane below the verbarium.
    QAction *contextsAction() const { return m_contexts; }
    QAction *gapAction() const { return m_gap; }
    QAction *contrastAction() const { return m_contrast; }
    // The choice of common words to leave out, by the action's data: a language code,
    // "own" for the user's list, empty for none.
    QList<QAction *> leaveOutActions() const;
    QAction *editOwnListAction() const { return m_editOwnList; }
    // The words the choice leaves out, once read.
    const LeftOutWords &leftOutWords() const { return m_leftOutWords; }
    // The window Edit Your Own List… opens; null until then.
    OwnListEditor *ownListEditor() const { return m_ownListEditor.get(); }
    QAction *showInputAction() const { return m_showInput; }
    QAction *showCloudAction() const { return m_showCloud; }
    QAction *showVerbariumAction() const { return m_showVerbarium; }
    QAction *showKeynessAction() const { return m_showKeyness; }

signals:
    // The words to leave out changed, for the cloud of the text at hand and the next.
    void leftOutChanged(const QSet<QString> &words);
    // The user's own list could not be read; message says why.
    void ownListFailed(const QString &message);

public slots:
    void updateActions();
    // Reads the options from the settings (the user's list from its file) and gives
    // them to the cloud. Saving the user's list, here or in another editor, does this too.
    void applyCloudOptions();
    // Chooses to leave out no words.
    void showAllWords();

private:
    QAction *addAction(const QString &text, const QList<QKeySequence> &shortcuts = {});
    // The checkable actions, as the settings say, with the views they govern set so.
    void setUpVerbariumChoices();
    void setUpCloudChoices();
    void connectActions();
    QMenu *makeLeaveOutMenu(QWidget *parent) const;
    // The picture view in the active window, or null.
    LayerHostWidget *activePictureView() const;
    void rememberOptions();
    void choose(const QString &leftOut);
    void editOwnList();
    void watchOwnList();
    static void bringForward(QWidget *window);

    ViewSettings &m_settings;
    QWidget *m_inputWindow;
    WordCloudView *m_cloudView;
    VerbariumView *m_verbariumView;
    QWidget *m_contextsPane;

    // All owned through Qt's parent-child tree (this object).
    QAction *m_zoomIn;
    QAction *m_zoomOut;
    QAction *m_zoomToFit;
    QAction *m_roomForEveryWord;
    QAction *m_wordsAfter;
    QAction *m_wordsBefore;
    QAction *m_bothSides;
    QAction *m_contexts;
    QAction *m_gap;
    QAction *m_contrast;
    QActionGroup *m_leaveOut;
    QAction *m_editOwnList;
    QAction *m_showInput;
    QAction *m_showCloud;
    QAction *m_showVerbarium;
    QAction *m_showKeyness;
    const IndexCacheMenu *m_indexCacheMenu = nullptr; // not owned
    KeynessWindow *m_keynessWindow = nullptr;         // not owned
    // The user's list and its folder: editors often save by replacing the file.
    QFileSystemWatcher m_ownListWatcher;
    LeftOutWords m_leftOutWords;
    std::unique_ptr<OwnListEditor> m_ownListEditor;
};
