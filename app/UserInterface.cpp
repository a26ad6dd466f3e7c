#include "UserInterface.h"

#include "AppDelegate.h"
#include "Dialogs.h"
#include "InfoPanel.h"
#include "VerbariumView.h"
#include "WindowDelegates.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>

UserInterface::UserInterface(Dialogs *dialogs)
    : m_inputUi(std::make_unique<Ui::InputWindow>())
    , m_cloudUi(std::make_unique<Ui::CloudWindow>())
    , m_verbariumUi(std::make_unique<Ui::VerbariumWindow>())
    , m_inputWindow(std::make_unique<QMainWindow>())
    , m_cloudWindow(std::make_unique<QWidget>())
    , m_verbariumWindow(std::make_unique<QWidget>())
    , m_infoPanel(std::make_unique<InfoPanel>())
{
    m_inputUi->setupUi(m_inputWindow.get());
    m_cloudUi->setupUi(m_cloudWindow.get());
    m_verbariumUi->setupUi(m_verbariumWindow.get());
    // Lay the windows out now, so the views know their visible areas before they are
    // first shown.
    for (QWidget *window : {m_cloudWindow.get(), m_verbariumWindow.get()})
        window->layout()->activate();

    // Closing the input window ends the application; the others only hide.
    for (QWidget *window :
         {m_cloudWindow.get(), m_verbariumWindow.get(), static_cast<QWidget *>(m_infoPanel.get())})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    // The panel keeps to the screen's top right corner, clear of the windows below it.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        m_infoPanel->move(available.right() - 200, available.top() + 40);
    }
    m_inputUi->textField->setFocus();

    if (!dialogs) {
        m_ownDialogs = std::make_unique<WidgetDialogs>(m_inputWindow.get());
        dialogs = m_ownDialogs.get();
    }

    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    cloudView->setScrollView(m_cloudUi->scrollView);
    QObject::connect(cloudView, &WordCloudView::wordHovered, m_infoPanel.get(),
                     &InfoPanel::showWord);

    m_appDelegate = std::make_unique<AppDelegate>(
        AppDelegate::Outlets{m_inputUi->textField, m_inputWindow.get(), m_cloudWindow.get(),
                             cloudView, verbariumView},
        *dialogs);
    m_searchWindowDelegate = std::make_unique<SearchWindowDelegate>(cloudView, verbariumView);
    m_inputWindowDelegate =
        std::make_unique<InputWindowDelegate>(cloudView, verbariumView, m_infoPanel.get());
    m_cloudWindow->installEventFilter(m_searchWindowDelegate.get());
    m_inputWindow->installEventFilter(m_inputWindowDelegate.get());

    connectInputWindow();
    connectVerbariumWindow();
    QObject::connect(cloudView, &WordCloudView::wordChosen, verbariumView,
                     [verbariumView](const QString &word) {
                         verbariumView->window()->activateWindow();
                         verbariumView->startWithWord(word);
                     });
}

UserInterface::~UserInterface()
{
    // The delegates watch the windows: remove them before the windows go.
    m_cloudWindow->removeEventFilter(m_searchWindowDelegate.get());
    m_inputWindow->removeEventFilter(m_inputWindowDelegate.get());
}

void UserInterface::connectInputWindow()
{
    AppDelegate *controller = m_appDelegate.get();
    m_inputUi->importAction->setShortcut(QKeySequence::Open);
    QObject::connect(m_inputUi->importButton, &QPushButton::clicked, controller,
                     &AppDelegate::importTextFile);
    QObject::connect(m_inputUi->importAction, &QAction::triggered, controller,
                     &AppDelegate::importTextFile);
    QObject::connect(m_inputUi->analyseButton, &QPushButton::clicked, controller,
                     &AppDelegate::textDidChange);
    QObject::connect(m_inputUi->analyseAction, &QAction::triggered, controller,
                     &AppDelegate::textDidChange);
    m_inputUi->quitAction->setShortcut(QKeySequence::Quit);
    QObject::connect(m_inputUi->quitAction, &QAction::triggered, qApp, &QApplication::quit);
}

void UserInterface::connectVerbariumWindow()
{
    VerbariumView *view = m_verbariumUi->verbariumView;
    QLineEdit *inputField = m_verbariumUi->inputField;
    view->setScrollView(m_verbariumUi->scrollView);
    QObject::connect(view, &VerbariumView::wordHovered, m_infoPanel.get(), &InfoPanel::showWord);
    QObject::connect(view, &VerbariumView::parentWordsChanged, m_verbariumUi->parentWords,
                     &QLineEdit::setText);
    const auto start = [view, inputField] { view->start(inputField->text()); };
    QObject::connect(m_verbariumUi->startButton, &QPushButton::clicked, view, start);
    QObject::connect(inputField, &QLineEdit::returnPressed, view, start);
    QObject::connect(m_verbariumUi->backButton, &QPushButton::clicked, view,
                     &VerbariumView::startAtStartNode);
}
