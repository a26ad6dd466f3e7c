#include "UserInterface.h"

#include "AccessibleWindows.h"
#include "AppController.h"
#include "AppMenus.h"
#include "ContextsPane.h"
#include "CorpusBar.h"
#include "CorpusFileList.h"
#include "Dialogs.h"
#include "HoldingTokensBar.h"
#include "IndexCacheMenu.h"
#include "InfoPanel.h"
#include "InfoPanelCoupling.h"
#include "InputTextView.h"
#include "InputWindowProgress.h"
#include "KeynessComparison.h"
#include "KeynessCoupling.h"
#include "KeynessWindow.h"
#include "LeftOutBar.h"
#include "OverlapBar.h"
#include "OwnActivationWatch.h"
#include "PictureExport.h"
#include "RecentMenu.h"
#include "StartPhrase.h"
#include "TextAnalysis.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "ViewSettings.h"
#include "WindowCouplings.h"
#include "WindowPlacement.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room for a window manager's frame around a window not yet shown: a title bar and
// thin borders, generously measured.
constexpr QMargins assumedFrame(4, 32, 4, 4);

// The windows' places on a large enough screen, as client areas.
constexpr QRect inputPlace(80, 80, 640, 480);
constexpr QRect cloudPlace(740, 80, 800, 600);
constexpr QRect verbariumPlace(120, 160, 900, 600);
constexpr QRect keynessPlace(160, 240, 1100, 640);

} // namespace

UserInterface::UserInterface(Dialogs *dialogs)
    : m_inputUi(std::make_unique<Ui::InputWindow>())
    , m_cloudUi(std::make_unique<Ui::CloudWindow>())
    , m_verbariumUi(std::make_unique<Ui::VerbariumWindow>())
    , m_inputWindow(std::make_unique<QMainWindow>())
    , m_cloudWindow(std::make_unique<QWidget>())
    , m_verbariumWindow(std::make_unique<QWidget>())
    , m_infoPanel(std::make_unique<InfoPanel>())
    , m_activationWatch(std::make_unique<OwnActivationWatch>())
    , m_keynessComparison(std::make_unique<KeynessComparison>())
    , m_keynessWindow(std::make_unique<KeynessWindow>())
{
    setUpWindows();
    if (!dialogs) {
        m_ownDialogs = std::make_unique<WidgetDialogs>(m_inputWindow.get(), *m_activationWatch);
        dialogs = m_ownDialogs.get();
    }

    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    m_appController = std::make_unique<AppController>(
        AppController::Widgets{m_inputUi->textView, m_inputWindow.get(), m_cloudWindow.get(),
                               cloudView},
        *dialogs);
    m_appController->verbariumController().serve(verbariumView);
    m_pictureExport = std::make_unique<PictureExport>(cloudView, verbariumView, *dialogs);
    addMenus(*dialogs);
    // Lay the windows out now, so the views know their visible areas before they are
    // first shown.
    for (QWidget *window : {m_cloudWindow.get(), m_verbariumWindow.get()})
        window->layout()->activate();
    placeWindows();
    coupleWindows();

    connectInputWindow(*dialogs);
    connectVerbariumWindow();
    connectRoomForEveryWord();
    connectContexts();
    connectInfoPanel();
    connectLeftOutWords(*dialogs);
    connectCloudWindow();
    connectKeyness(*dialogs);
}

void UserInterface::setUpWindows()
{
    installWindowAccessibility();
    m_inputUi->setupUi(m_inputWindow.get());
    m_cloudUi->setupUi(m_cloudWindow.get());
    m_verbariumUi->setupUi(m_verbariumWindow.get());
    m_infoPanel->setWindowTitle(u"Word Info"_s);

    // Closing the input window ends the application; the others only hide.
    for (QWidget *window :
         {m_cloudWindow.get(), m_verbariumWindow.get(), static_cast<QWidget *>(m_infoPanel.get()),
          static_cast<QWidget *>(m_keynessWindow.get())})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    m_inputUi->textView->setFocus();
    m_cloudUi->wordCloudView->setScrollView(m_cloudUi->scrollView);
    // The cloud is its window's first stop for the keyboard.
    m_cloudUi->wordCloudView->setFocus();
}

// The menus, and the view settings they show and change.
void UserInterface::addMenus(Dialogs &dialogs)
{
    m_menus = std::make_unique<AppMenus>(*m_appController, *m_pictureExport, m_inputUi->textView,
                                         dialogs);
    m_viewSettings = std::make_unique<ViewSettings>();
    if (const QString note = m_viewSettings->setAsideNote(); !note.isEmpty()) {
        // Once the input window is up, which the alert stands in front of.
        QTimer::singleShot(0, m_inputWindow.get(), [&dialogs, note] {
            dialogs.runAlert(QObject::tr("Settings Set Aside"), note, u"OK"_s);
        });
    }
    m_viewMenu =
        std::make_unique<ViewMenu>(*m_viewSettings, m_inputWindow.get(), m_cloudUi->wordCloudView,
                                   m_verbariumUi->verbariumView, m_verbariumUi->contextsPane);
    m_indexCacheMenu =
        std::make_unique<IndexCacheMenu>(*m_viewSettings, m_appController->pipeline());
    m_recentMenu = std::make_unique<RecentMenu>(*m_viewSettings, *m_appController, dialogs);
    m_menus->setRecentMenu(m_recentMenu.get());
    m_viewMenu->setIndexCacheMenu(m_indexCacheMenu.get());
    m_viewMenu->setKeynessWindow(m_keynessWindow.get());
    addMenuBars();
}

UserInterface::~UserInterface()
{
    // The couplings watch the windows: remove them before the windows go.
    m_cloudWindow->removeEventFilter(m_cloudWindowCoupling.get());
    m_inputWindow->removeEventFilter(m_inputWindowCoupling.get());
}

void UserInterface::addMenuBars()
{
    QMenuBar *inputBar = m_menus->addMenuBarTo(m_inputWindow.get());
    m_viewMenu->addMenusTo(inputBar);
    m_inputWindow->setMenuBar(inputBar);
    for (QWidget *window : {m_cloudWindow.get(), m_verbariumWindow.get(),
                            static_cast<QWidget *>(m_keynessWindow.get())}) {
        QMenuBar *bar = m_menus->addMenuBarTo(window);
        m_viewMenu->addMenusTo(bar);
        window->layout()->setMenuBar(bar);
    }
}

void UserInterface::coupleWindows()
{
    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    m_cloudWindowCoupling = std::make_unique<CloudWindowCoupling>(cloudView, verbariumView);
    m_inputWindowCoupling = std::make_unique<InputWindowCoupling>(
        cloudView, verbariumView, m_infoPanel.get(), *m_activationWatch);
    m_cloudWindow->installEventFilter(m_cloudWindowCoupling.get());
    m_inputWindow->installEventFilter(m_inputWindowCoupling.get());
}

void UserInterface::connectCloudWindow()
{
    QObject::connect(m_cloudUi->wordCloudView, &WordCloudView::wordChosen,
                     m_verbariumUi->verbariumView,
                     [this](const QString &word) { openVerbariumOf(word); });
}

void UserInterface::openVerbariumOf(const QString &word)
{
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    verbariumView->window()->activateWindow();
    verbariumView->startWithWord(word);
    m_menus->updateActions();
}

void UserInterface::connectKeyness(Dialogs &dialogs)
{
    m_keynessCoupling = std::make_unique<KeynessCoupling>(
        KeynessCoupling::Parts{*m_keynessComparison, *m_keynessWindow, *m_appController,
                               *m_menus->compareWithAction(), *m_viewMenu, dialogs});
    QObject::connect(m_keynessCoupling.get(), &KeynessCoupling::verbariumAsked,
                     m_keynessWindow.get(), [this](const QString &word) { openVerbariumOf(word); });
}

void UserInterface::saveSettings()
{
    m_viewSettings->save();
}

void UserInterface::placeWindows()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    m_inputWindow->setGeometry(fitInside(inputPlace, available, assumedFrame));
    m_cloudWindow->setGeometry(fitInside(cloudPlace, available, assumedFrame));
    m_verbariumWindow->setGeometry(fitInside(verbariumPlace, available, assumedFrame));
    m_keynessWindow->setGeometry(fitInside(keynessPlace, available, assumedFrame));
}

void UserInterface::connectInputWindow(Dialogs &dialogs)
{
    AppController *controller = m_appController.get();
    InputTextView *textView = m_inputUi->textView;
    QObject::connect(m_inputUi->importButton, &QPushButton::clicked, controller,
                     &AppController::importTextFiles);
    QObject::connect(m_inputUi->analyseButton, &QPushButton::clicked, controller,
                     &AppController::analyseTypedText);
    QObject::connect(textView, &InputTextView::filesDropped, controller, &AppController::openFiles);
    m_inputUi->corpusFileList->setModel(&controller->corpusFiles());
    CorpusBar *corpusBar = m_inputUi->corpusBar;
    QObject::connect(controller, &AppController::corpusShown, corpusBar, &CorpusBar::showFor);
    QObject::connect(corpusBar, &CorpusBar::leftOutAsked, controller, [&dialogs, corpusBar] {
        dialogs.runListAlert(QObject::tr("Files Left Out"),
                             QObject::tr("These files were left out of the corpus:"),
                             corpusBar->leftOut());
    });
    // While an imported text is on its way, the view holds nothing of the user's to analyse.
    QObject::connect(controller, &AppController::importingChanged, m_inputUi->analyseButton,
                     &QWidget::setDisabled);
    m_progressBar = showInputWindowProgress(m_inputWindow.get(), *m_inputUi, controller);
}

void UserInterface::connectVerbariumWindow()
{
    VerbariumView *view = m_verbariumUi->verbariumView;
    QLineEdit *inputField = m_verbariumUi->inputField;
    view->setScrollView(m_verbariumUi->scrollView);
    // The keyboard starts in the tree, where the arrows walk it; Tab leads to the fields.
    view->setFocus();
    QObject::connect(view, &VerbariumView::parentWordsChanged, m_verbariumUi->parentWords,
                     &QLineEdit::setText);
    // The field shows the start on screen, however it was chosen.
    QObject::connect(view, &VerbariumView::startChanged, inputField, &QLineEdit::setText);
    const auto start = [view, inputField] { view->start(inputField->text()); };
    QPushButton *startButton = m_verbariumUi->startButton;
    QObject::connect(startButton, &QPushButton::clicked, view, start);
    QObject::connect(inputField, &QLineEdit::returnPressed, view, start);
    QObject::connect(inputField, &QLineEdit::textChanged, startButton,
                     [startButton](const QString &typed) {
                         startButton->setEnabled(!typedTokens(typed).isEmpty());
                     });
    startButton->setEnabled(false);
    HoldingTokensBar *holdingBar = m_verbariumUi->holdingTokensBar;
    QObject::connect(&m_appController->verbariumController(),
                     &VerbariumController::startOnlyInsideTokens, holdingBar,
                     &HoldingTokensBar::showFor);
    QObject::connect(view, &VerbariumView::pictureChanged, holdingBar, &QWidget::hide);
    QObject::connect(holdingBar, &HoldingTokensBar::tokenChosen, view,
                     &VerbariumView::startWithWord);
    QObject::connect(m_verbariumUi->backButton, &QPushButton::clicked, view,
                     &VerbariumView::goBack);
    // The verbarium's picture arrives from a worker: what can be exported changes then.
    QObject::connect(view, &VerbariumView::pictureChanged, m_menus.get(), &AppMenus::updateActions);
}

// The contexts pane reads the analysed text and shows what the verbarium's nodes ask.
void UserInterface::connectContexts()
{
    ContextsPane *pane = m_verbariumUi->contextsPane;
    // The picture keeps most of the window.
    m_verbariumUi->verbariumSplitter->setStretchFactor(0, 3);
    m_verbariumUi->verbariumSplitter->setStretchFactor(1, 2);
    VerbariumView *view = m_verbariumUi->verbariumView;
    QObject::connect(m_appController.get(), &AppController::analysisHandedOver, pane,
                     [pane, view, controller = &m_appController->verbariumController()](
                         const std::shared_ptr<const TextAnalysis> &analysis) {
                         pane->setText(analysis->text, analysis->places);
                         controller->setFiles(analysis->places);
                         view->setFileCount(
                             analysis->places ? qsizetype(analysis->places->files().size()) : 1);
                     });
    QObject::connect(view, &VerbariumView::contextsAsked, pane, &ContextsPane::showContextsOf);
    connectContextsPane(*pane, m_appController->verbariumController());
}

// The View menu says which words the cloud leaves out; the cloud window says how many.
void UserInterface::connectLeftOutWords(Dialogs &dialogs)
{
    CloudJob &cloudJob = m_appController->cloudJob();
    ViewMenu *viewMenu = m_viewMenu.get();
    cloudJob.setLeftOut(viewMenu->leftOutWords().words());
    QObject::connect(viewMenu, &ViewMenu::leftOutChanged, &cloudJob, &CloudJob::setLeftOut);
    QObject::connect(
        viewMenu, &ViewMenu::ownListFailed, viewMenu, [&dialogs](const QString &message) {
            dialogs.runAlert(QObject::tr("Cannot Read Your List of Words"),
                             QObject::tr("%1. No words are left out.").arg(message), u"OK"_s);
        });
    LeftOutBar *bar = m_cloudUi->leftOutBar;
    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    QObject::connect(bar, &LeftOutBar::showAllWordsAsked, viewMenu, &ViewMenu::showAllWords);
    QObject::connect(cloudView, &WordCloudView::cloudReplaced, bar, [cloudView, viewMenu, bar] {
        bar->showFor(cloudView->content()->leftOutWords, viewMenu->leftOutWords().description());
    });
}

void UserInterface::connectRoomForEveryWord()
{
    VerbariumView *view = m_verbariumUi->verbariumView;
    OverlapBar *bar = m_verbariumUi->overlapBar;
    QAction *room = m_viewMenu->roomForEveryWordAction();
    QObject::connect(bar, &OverlapBar::roomForEveryWordAsked, room,
                     [room] { room->setChecked(true); });
    QObject::connect(view, &VerbariumView::pictureChanged, bar,
                     [view, bar] { bar->showFor(view->picture() ? &*view->picture() : nullptr); });
}

void UserInterface::connectInfoPanel()
{
    m_infoPanelCoupling = std::make_unique<InfoPanelCoupling>(
        m_infoPanel.get(), m_cloudUi->wordCloudView, m_verbariumUi->verbariumView);
    InfoPanelCoupling *coupling = m_infoPanelCoupling.get();
    // A new analysis makes the word shown a word of the old text.
    QObject::connect(m_appController.get(), &AppController::analysisStarted, coupling,
                     &InfoPanelCoupling::hide);
    QObject::connect(m_appController.get(), &AppController::analysisStarted, m_viewMenu.get(),
                     &ViewMenu::applyCloudOptions);
}
