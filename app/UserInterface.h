#pragma once

#include <QObject>
#include <memory>

class AppDelegate;
class Dialogs;
class InfoPanel;
class InputWindowDelegate;
class QMainWindow;
class QWidget;
class SearchWindowDelegate;

namespace Ui {
class InputWindow;
class CloudWindow;
class VerbariumWindow;
} // namespace Ui

// The application's user-interface description: creates the three windows, the info
// panel, the controller and the two window delegates, and connects them. It owns
// them all for the application's lifetime.
class UserInterface
{
public:
    // dialogs: the modal dialogs to use (tests answer them); the windows' own when null.
    // It must outlive this object.
    explicit UserInterface(Dialogs *dialogs = nullptr);
    ~UserInterface();
    UserInterface(const UserInterface &) = delete;
    UserInterface &operator=(const UserInterface &) = delete;

    AppDelegate &appDelegate() const { return *m_appDelegate; }
    QMainWindow *inputWindow() const { return m_inputWindow.get(); }
    QWidget *cloudWindow() const { return m_cloudWindow.get(); }
    QWidget *verbariumWindow() const { return m_verbariumWindow.get(); }
    InfoPanel *infoPanel() const { return m_infoPanel.get(); }
    const Ui::InputWindow &inputUi() const { return *m_inputUi; }
    const Ui::CloudWindow &cloudUi() const { return *m_cloudUi; }
    const Ui::VerbariumWindow &verbariumUi() const { return *m_verbariumUi; }

private:
    void connectInputWindow();
    void connectVerbariumWindow();

    std::unique_ptr<Ui::InputWindow> m_inputUi;
    std::unique_ptr<Ui::CloudWindow> m_cloudUi;
    std::unique_ptr<Ui::VerbariumWindow> m_verbariumUi;
    std::unique_ptr<QMainWindow> m_inputWindow;
    std::unique_ptr<QWidget> m_cloudWindow;
    std::unique_ptr<QWidget> m_verbariumWindow;
    std::unique_ptr<InfoPanel> m_infoPanel;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<AppDelegate> m_appDelegate;
    std::unique_ptr<SearchWindowDelegate> m_searchWindowDelegate;
    std::unique_ptr<InputWindowDelegate> m_inputWindowDelegate;
};
