#include "UserInterface.h"

#include "AppDelegate.h"
#include "AppMenus.h"
#include "ContextsPane.h"
#include "Dialogs.h"
#include "IndexCacheMenu.h"
#include "InfoPanel.h"
#include "InputTextView.h"
#include "OverlapBar.h"
#include "OwnActivationWatch.h"
#include "PictureExport.h"
#include "TextAnalysis.h"
#include "VerbariumView.h"
#include "ViewMenu.h"
#include "ViewSettings.h"
#include "WindowDelegates.h"
#include "WindowPlacement.h"
#include "WordCloudView.h"
#include "ui_CloudWindow.h"
#include "ui_InputWindow.h"
#include "ui_VerbariumWindow.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room for a window manager's frame around a window not yet shown: a title bar and
// thin borders, generously measured.
constexpr QMargins assumedFrame(4, 32, 4, 4);

// The windows' places on a large enough screen, as client areas.
constexpr QRect inputPlace(80, 80, 640, 480);
constexpr QRect cloudPlace(740, 80, 800, 600);
constexpr QRect verbariumPlace(120, 160, 900, 600);

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
{
    m_inputUi->setupUi(m_inputWindow.get());
    m_cloudUi->setupUi(m_cloudWindow.get());
    m_verbariumUi->setupUi(m_verbariumWindow.get());
    m_infoPanel->setWindowTitle(u"Word Info"_s);

    // Closing the input window ends the application; the others only hide.
    for (QWidget *window :
         {m_cloudWindow.get(), m_verbariumWindow.get(), static_cast<QWidget *>(m_infoPanel.get())})
        window->setAttribute(Qt::WA_QuitOnClose, false);
    m_inputUi->textField->setFocus();

    if (!dialogs) {
        m_ownDialogs = std::make_unique<WidgetDialogs>(m_inputWindow.get(), *m_activationWatch);
        dialogs = m_ownDialogs.get();
    }

    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    cloudView->setScrollView(m_cloudUi->scrollView);
    // The cloud is its window's first stop for the keyboard.
    cloudView->setFocus();

    m_appDelegate = std::make_unique<AppDelegate>(
        AppDelegate::Outlets{m_inputUi->textField, m_inputWindow.get(), m_cloudWindow.get(),
                             cloudView, verbariumView},
        *dialogs);
    m_pictureExport = std::make_unique<PictureExport>(cloudView, verbariumView, *dialogs);
    m_menus = std::make_unique<AppMenus>(*m_appDelegate, *m_pictureExport, m_inputUi->textField,
                                         *dialogs);
    m_viewSettings = std::make_unique<ViewSettings>();
    m_viewMenu = std::make_unique<ViewMenu>(*m_viewSettings, m_inputWindow.get(), cloudView,
                                            verbariumView, m_verbariumUi->contextsPane);
    m_indexCacheMenu = std::make_unique<IndexCacheMenu>(*m_viewSettings, m_appDelegate->pipeline());
    m_viewMenu->setIndexCacheMenu(m_indexCacheMenu.get());
    // The desktop's editor opens the user's list, unless tests stand in for the windows.
    if (m_ownDialogs)
        QObject::connect(m_viewMenu.get(), &ViewMenu::ownListOpened, [](const QString &path) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        });
    QMenuBar *inputBar = m_menus->addMenuBarTo(m_inputWindow.get());
    m_viewMenu->addMenusTo(inputBar);
    m_inputWindow->setMenuBar(inputBar);
    for (QWidget *window : {m_cloudWindow.get(), m_verbariumWindow.get()}) {
        QMenuBar *bar = m_menus->addMenuBarTo(window);
        m_viewMenu->addMenusTo(bar);
        window->layout()->setMenuBar(bar);
    }
    // Lay the windows out now, so the views know their visible areas before they are
    // first shown.
    for (QWidget *window : {m_cloudWindow.get(), m_verbariumWindow.get()})
        window->layout()->activate();
    placeWindows();

    m_searchWindowDelegate = std::make_unique<SearchWindowDelegate>(cloudView, verbariumView);
    m_inputWindowDelegate = std::make_unique<InputWindowDelegate>(
        cloudView, verbariumView, m_infoPanel.get(), *m_activationWatch);
    m_cloudWindow->installEventFilter(m_searchWindowDelegate.get());
    m_inputWindow->installEventFilter(m_inputWindowDelegate.get());

    connectInputWindow();
    connectVerbariumWindow();
    connectRoomForEveryWord();
    connectContexts();
    connectInfoPanel();
    AppMenus *menus = m_menus.get();
    QObject::connect(cloudView, &WordCloudView::wordChosen, verbariumView,
                     [verbariumView, menus](const QString &word) {
                         verbariumView->window()->activateWindow();
                         verbariumView->startWithWord(word);
                         menus->updateActions();
                     });
}

UserInterface::~UserInterface()
{
    // The delegates watch the windows: remove them before the windows go.
    m_cloudWindow->removeEventFilter(m_searchWindowDelegate.get());
    m_inputWindow->removeEventFilter(m_inputWindowDelegate.get());
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
}

void UserInterface::connectInputWindow()
{
    AppDelegate *controller = m_appDelegate.get();
    InputTextView *textField = m_inputUi->textField;
    QObject::connect(m_inputUi->importButton, &QPushButton::clicked, controller,
                     &AppDelegate::importTextFile);
    QObject::connect(m_inputUi->analyseButton, &QPushButton::clicked, controller,
                     &AppDelegate::textDidChange);
    QObject::connect(textField, &InputTextView::fileDropped, controller, &AppDelegate::openFile);
    connectLongText();
    // While an imported text is on its way, the view holds nothing of the user's to analyse.
    QObject::connect(controller, &AppDelegate::importingChanged, m_inputUi->analyseButton,
                     &QWidget::setDisabled);
    QStatusBar *statusBar = m_inputWindow->statusBar();
    QObject::connect(controller, &AppDelegate::workDescribed, statusBar,
                     [statusBar](const QString &description) {
                         if (description.isEmpty())
                             statusBar->clearMessage();
                         else
                             statusBar->showMessage(description);
                     });

    // A long text going into the view shows its progress in the status bar.
    m_progressBar = new QProgressBar;
    m_progressBar->setRange(0, 1000);
    m_progressBar->setMaximumWidth(200);
    m_progressBar->hide();
    m_inputWindow->statusBar()->addPermanentWidget(m_progressBar);
    QProgressBar *progressBar = m_progressBar;
    QObject::connect(textField, &InputTextView::fillProgress, progressBar,
                     [progressBar](qsizetype done, qsizetype total) {
                         progressBar->setValue(int(1000 * done / std::max<qsizetype>(total, 1)));
                         progressBar->show();
                     });
    QObject::connect(textField, &InputTextView::fillFinished, progressBar, &QWidget::hide);
}

// A text too long to edit is shown read-only until the user asks for it in the editor.
void UserInterface::connectLongText()
{
    Ui::InputWindow &input = *m_inputUi;
    QObject::connect(input.textField, &InputTextView::longTextChanged, input.textStack,
                     [&input](const QString &text) {
                         input.longTextView->setText(text);
                         if (text.isEmpty()) {
                             input.textStack->setCurrentWidget(input.textField);
                             return;
                         }
                         input.longTextNote->setText(
                             QObject::tr("This text of %L1 characters is too long to edit here "
                                         "and is shown as it is; it is analysed all the same.")
                                 .arg(text.size()));
                         input.textStack->setCurrentWidget(input.longTextPage);
                     });
    QObject::connect(input.editLongTextButton, &QPushButton::clicked, input.textField,
                     &InputTextView::editLongText);
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
    const auto start = [view, inputField] { view->start(inputField->text()); };
    QObject::connect(m_verbariumUi->startButton, &QPushButton::clicked, view, start);
    QObject::connect(inputField, &QLineEdit::returnPressed, view, start);
    QObject::connect(m_verbariumUi->backButton, &QPushButton::clicked, view,
                     &VerbariumView::startAtStartNode);
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
    QObject::connect(m_appDelegate.get(), &AppDelegate::analysisHandedOver, pane,
                     [pane](const std::shared_ptr<const TextAnalysis> &analysis) {
                         pane->setText(analysis->text);
                     });
    QObject::connect(m_verbariumUi->verbariumView, &VerbariumView::contextsAsked, pane,
                     &ContextsPane::show);
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
    InfoPanel *panel = m_infoPanel.get();
    // Beside the pointer for a hovered word, beside the word for the keyboard's focus.
    const auto showHovered = [panel](const QString &word, int count, const QString &note) {
        panel->showWord(word, count, note);
        panel->placeBeside(QRect(QCursor::pos(), QSize(16, 20)));
    };
    const auto showFocused = [panel](const QString &word, int count, const QString &note,
                                     const QRect &place) {
        panel->showWord(word, count, note);
        panel->placeBeside(place);
    };
    WordCloudView *cloudView = m_cloudUi->wordCloudView;
    VerbariumView *verbariumView = m_verbariumUi->verbariumView;
    QObject::connect(
        cloudView, &WordCloudView::wordHovered, panel,
        [showHovered](const QString &word, int count) { showHovered(word, count, QString()); });
    QObject::connect(cloudView, &WordCloudView::wordFocused, panel,
                     [showFocused](const QString &word, int count, const QRect &place) {
                         showFocused(word, count, QString(), place);
                     });
    QObject::connect(verbariumView, &VerbariumView::wordHovered, panel, showHovered);
    QObject::connect(verbariumView, &VerbariumView::wordFocused, panel, showFocused);
    // A zoom moves the word away from the panel beside it.
    QObject::connect(cloudView, &LayerHostWidget::zoomChanged, panel, &QWidget::hide);
    QObject::connect(verbariumView, &LayerHostWidget::zoomChanged, panel, &QWidget::hide);
    // A new analysis makes the word shown a word of the old text.
    QObject::connect(m_appDelegate.get(), &AppDelegate::analysisStarted, panel, &QWidget::hide);
    QObject::connect(m_appDelegate.get(), &AppDelegate::analysisStarted, m_viewMenu.get(),
                     &ViewMenu::applyCloudOptions);
}
