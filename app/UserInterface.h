#pragma once

#include <QObject>
#include <memory>

class AppController;
class AppMenus;
class OwnActivationWatch;
class Dialogs;
class InfoPanel;
class InfoPanelCoupling;
class InputWindowCoupling;
class PictureExport;
class QMainWindow;
class QProgressBar;
class QWidget;
class RecentMenu;
class CloudWindowCoupling;
class IndexCacheMenu;
class KeynessComparison;
class KeynessCoupling;
class KeynessWindow;
class ViewMenu;
class ViewSettings;

namespace Ui {
class InputWindow;
class CloudWindow;
class VerbariumWindow;
} // namespace Ui

// The application's user-interface description: creates the three windows, the info
// panel, the menus, the controller and the two window couplings, places the windows on
// screen and connects them. It owns them all for the application's lifetime.
class UserInterface
{
public:
    // dialogs: the modal dialogs to use (tests answer them); the windows' own when null.
    // It must outlive this object.
    explicit UserInterface(Dialogs *dialogs = nullptr);
    ~UserInterface();
    UserInterface(const UserInterface &) = delete;
    UserInterface &operator=(const UserInterface &) = delete;

    AppController &appController() const { return *m_appController; }
    AppMenus &menus() const { return *m_menus; }
    ViewMenu &viewMenu() const { return *m_viewMenu; }
    RecentMenu &recentMenu() const { return *m_recentMenu; }
    OwnActivationWatch &activationWatch() const { return *m_activationWatch; }
    QMainWindow *inputWindow() const { return m_inputWindow.get(); }
    QWidget *cloudWindow() const { return m_cloudWindow.get(); }
    QWidget *verbariumWindow() const { return m_verbariumWindow.get(); }
    KeynessWindow *keynessWindow() const { return m_keynessWindow.get(); }
    KeynessComparison &keynessComparison() const { return *m_keynessComparison; }
    InfoPanel *infoPanel() const { return m_infoPanel.get(); }
    QProgressBar *progressBar() const { return m_progressBar; }
    const Ui::InputWindow &inputUi() const { return *m_inputUi; }
    const Ui::CloudWindow &cloudUi() const { return *m_cloudUi; }
    const Ui::VerbariumWindow &verbariumUi() const { return *m_verbariumUi; }

    // Writes the remembered view options: what must outlive the process.
    void saveSettings();

private:
    void setUpWindows();
    void addMenus(Dialogs &dialogs);
    void addMenuBars();
    void placeWindows();
    void coupleWindows();
    void connectCloudWindow();
    void openVerbariumOf(const QString &word);
    void connectInputWindow(Dialogs &dialogs);
    void connectVerbariumWindow();
    void connectRoomForEveryWord();
    void connectContexts();
    void connectInfoPanel();
    void connectLeftOutWords(Dialogs &dialogs);
    void connectKeyness(Dialogs &dialogs);

    std::unique_ptr<Ui::InputWindow> m_inputUi;
    std::unique_ptr<Ui::CloudWindow> m_cloudUi;
    std::unique_ptr<Ui::VerbariumWindow> m_verbariumUi;
    std::unique_ptr<QMainWindow> m_inputWindow;
    std::unique_ptr<QWidget> m_cloudWindow;
    std::unique_ptr<QWidget> m_verbariumWindow;
    std::unique_ptr<InfoPanel> m_infoPanel;
    QProgressBar *m_progressBar = nullptr; // owned by the input window's status bar
    std::unique_ptr<OwnActivationWatch> m_activationWatch;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<AppController> m_appController;
    std::unique_ptr<PictureExport> m_pictureExport;
    std::unique_ptr<AppMenus> m_menus;
    std::unique_ptr<ViewSettings> m_viewSettings;
    std::unique_ptr<RecentMenu> m_recentMenu;
    std::unique_ptr<ViewMenu> m_viewMenu;
    std::unique_ptr<IndexCacheMenu> m_indexCacheMenu;
    std::unique_ptr<CloudWindowCoupling> m_cloudWindowCoupling;
    std::unique_ptr<InputWindowCoupling> m_inputWindowCoupling;
    std::unique_ptr<InfoPanelCoupling> m_infoPanelCoupling;
    std::unique_ptr<KeynessComparison> m_keynessComparison;
    std::unique_ptr<KeynessWindow> m_keynessWindow;
    std::unique_ptr<KeynessCoupling> m_keynessCoupling;
};
