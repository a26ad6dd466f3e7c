#include "ViewMenu.h"

#include "CommonWords.h"
#include "IndexCacheMenu.h"
#include "KeynessWindow.h"
#include "OwnListEditor.h"
#include "VerbariumView.h"
#include "ViewSettings.h"
#include "WordCloudView.h"

#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace {

// What a list not made yet starts from: the words of the language chosen, or English's.
QString newOwnListText(const QString &choice)
{
    const QString language =
        choice.isEmpty() || choice == ViewSettings::ownListChoice ? u"en"_s : choice;
    QStringList words = commonWordsOf(language).values();
    words.sort();
    return QObject::tr("# Words the cloud leaves out under View ▸ Leave Out Common Words ▸ "
                       "Your Own List.\n# Separate them by spaces or line breaks; lines "
                       "starting with # are comments.\n") +
           words.join(u'\n') + u'\n';
}

} // namespace

ViewMenu::ViewMenu(ViewSettings &settings, QWidget *inputWindow, WordCloudView *cloudView,
                   VerbariumView *verbariumView, QWidget *contextsPane, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_inputWindow(inputWindow)
    , m_cloudView(cloudView)
    , m_verbariumView(verbariumView)
    , m_contextsPane(contextsPane)
    , m_zoomIn(addAction(tr("Zoom &In"), {QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                          QKeySequence(QKeySequence::ZoomIn)}))
    , m_zoomOut(addAction(tr("Zoom &Out"), {QKeySequence(QKeySequence::ZoomOut)}))
    , m_zoomToFit(addAction(tr("Zoom to &Fit"), {QKeySequence(Qt::CTRL | Qt::Key_0)}))
    , m_roomForEveryWord(addAction(tr("&Room for Every Word")))
    , m_wordsAfter(addAction(tr("Words &After")))
    , m_wordsBefore(addAction(tr("Words &Before")))
    , m_bothSides(addAction(tr("Bo&th Sides")))
    , m_contexts(addAction(tr("&Contexts"), {QKeySequence(Qt::CTRL | Qt::Key_K)}))
    , m_gap(addAction(tr("&Space Between Words")))
    , m_contrast(addAction(tr("&Darker Colours for Contrast")))
    , m_leaveOut(new QActionGroup(this))
    , m_editOwnList(addAction(tr("&Edit Your Own List…")))
    , m_showInput(addAction(tr("&Text"), {QKeySequence(Qt::CTRL | Qt::Key_1)}))
    , m_showCloud(addAction(tr("&Cloud"), {QKeySequence(Qt::CTRL | Qt::Key_2)}))
    , m_showVerbarium(addAction(tr("&Verbarium"), {QKeySequence(Qt::CTRL | Qt::Key_3)}))
    , m_showKeyness(addAction(tr("&Keyness"), {QKeySequence(Qt::CTRL | Qt::Key_4)}))
{
    setUpVerbariumChoices();
    setUpCloudChoices();
    connectActions();
    for (const auto changed :
         {&QFileSystemWatcher::fileChanged, &QFileSystemWatcher::directoryChanged})
        connect(&m_ownListWatcher, changed, this, [this] {
            watchOwnList();
            applyCloudOptions();
        });
    watchOwnList();
    connect(&m_leftOutWords, &LeftOutWords::changed, this, &ViewMenu::leftOutChanged);
    connect(&m_leftOutWords, &LeftOutWords::failed, this, &ViewMenu::ownListFailed);
    connect(qApp, &QApplication::focusWindowChanged, this, &ViewMenu::updateActions);
    connect(m_verbariumView, &VerbariumView::pictureChanged, this, &ViewMenu::updateActions);
    applyCloudOptions();
    updateActions();
}

ViewMenu::~ViewMenu() = default;

void ViewMenu::setUpVerbariumChoices()
{
    auto *direction = new QActionGroup(this);
    for (QAction *action : {m_wordsAfter, m_wordsBefore, m_bothSides}) {
        action->setCheckable(true);
        direction->addAction(action);
    }
    m_bothSides->setChecked(m_settings.value(ViewSettings::bothSides));
    m_wordsAfter->setChecked(!m_bothSides->isChecked());
    m_verbariumView->setBothSides(m_bothSides->isChecked());
    connect(m_wordsBefore, &QAction::toggled, m_verbariumView, &VerbariumView::setWordsBefore);
    connect(m_bothSides, &QAction::toggled, this, [this](bool on) {
        m_settings.setValue(ViewSettings::bothSides, on);
        m_verbariumView->setBothSides(on);
    });
    m_contexts->setCheckable(true);
    m_contexts->setChecked(m_settings.value(ViewSettings::contexts));
    m_contextsPane->setVisible(m_contexts->isChecked());
    connect(m_contexts, &QAction::toggled, this, [this](bool on) {
        m_settings.setValue(ViewSettings::contexts, on);
        m_contextsPane->setVisible(on);
    });
    m_roomForEveryWord->setCheckable(true);
    m_roomForEveryWord->setChecked(m_settings.value(ViewSettings::roomForEveryWord));
    m_verbariumView->setRoomForEveryWord(m_roomForEveryWord->isChecked());
}

void ViewMenu::setUpCloudChoices()
{
    m_gap->setCheckable(true);
    m_contrast->setCheckable(true);
    m_gap->setChecked(m_settings.value(ViewSettings::wordGap));
    m_contrast->setChecked(m_settings.value(ViewSettings::contrastColours));
    const auto addChoice = [this](const QString &text, const QString &choice) {
        QAction *action = m_leaveOut->addAction(text);
        action->setCheckable(true);
        action->setData(choice);
    };
    addChoice(tr("&None"), QString());
    for (const CommonWordLanguage &language : commonWordLanguages())
        addChoice(language.name, language.code);
    addChoice(tr("Your &Own List"), ViewSettings::ownListChoice);
    const QString chosen = m_settings.leftOutWords();
    for (QAction *action : m_leaveOut->actions())
        action->setChecked(action->data().toString() == chosen);
    if (!m_leaveOut->checkedAction())
        m_leaveOut->actions().constFirst()->setChecked(true);
}

void ViewMenu::connectActions()
{
    connect(m_zoomIn, &QAction::triggered, this, [this] {
        if (LayerHostWidget *view = activePictureView())
            view->zoomBy(1.0);
    });
    connect(m_zoomOut, &QAction::triggered, this, [this] {
        if (LayerHostWidget *view = activePictureView())
            view->zoomBy(-1.0);
    });
    connect(m_zoomToFit, &QAction::triggered, this, [this] {
        if (LayerHostWidget *view = activePictureView())
            view->setZoom(view->fittingZoom());
    });
    connect(m_roomForEveryWord, &QAction::toggled, this, [this](bool on) {
        m_settings.setValue(ViewSettings::roomForEveryWord, on);
        m_verbariumView->setRoomForEveryWord(on);
    });
    for (QAction *option : {m_gap, m_contrast})
        connect(option, &QAction::toggled, this, &ViewMenu::rememberOptions);
    connect(m_leaveOut, &QActionGroup::triggered, this, &ViewMenu::rememberOptions);
    connect(m_editOwnList, &QAction::triggered, this, &ViewMenu::editOwnList);
    connect(m_showInput, &QAction::triggered, this, [this] { bringForward(m_inputWindow); });
    connect(m_showCloud, &QAction::triggered, this, [this] {
        if (m_cloudView->generation() > 0)
            bringForward(m_cloudView->window());
    });
    connect(m_showVerbarium, &QAction::triggered, this, [this] {
        if (m_verbariumView->picture())
            bringForward(m_verbariumView->window());
    });
    connect(m_showKeyness, &QAction::triggered, this, [this] {
        if (m_keynessWindow && m_keynessWindow->hasTable())
            bringForward(m_keynessWindow);
    });
}

void ViewMenu::addMenusTo(QMenuBar *bar)
{
    const QList<QAction *> menus = bar->actions();
    QAction *before = menus.isEmpty() ? nullptr : menus.constLast();
    auto *view = new QMenu(tr("&View"), bar);
    view->addActions({m_zoomIn, m_zoomOut, m_zoomToFit});
    view->addSeparator();
    view->addAction(m_roomForEveryWord);
    view->addActions({m_wordsAfter, m_wordsBefore, m_bothSides, m_contexts});
    view->addSeparator();
    view->addActions({m_gap, m_contrast});
    view->addMenu(makeLeaveOutMenu(view));
    if (m_indexCacheMenu) {
        view->addSeparator();
        view->addMenu(m_indexCacheMenu->makeMenu(view));
    }
    auto *window = new QMenu(tr("&Window"), bar);
    window->addActions({m_showInput, m_showCloud, m_showVerbarium, m_showKeyness});
    bar->insertMenu(before, view);
    bar->insertMenu(before, window);
    for (QMenu *menu : {view, window})
        connect(menu, &QMenu::aboutToShow, this, &ViewMenu::updateActions);
}

QMenu *ViewMenu::makeLeaveOutMenu(QWidget *parent) const
{
    auto *menu = new QMenu(tr("&Leave Out Common Words"), parent);
    const QList<QAction *> choices = m_leaveOut->actions();
    menu->addAction(choices.constFirst());
    menu->addSeparator();
    menu->addActions(choices.mid(1, choices.size() - 2));
    menu->addSeparator();
    menu->addActions({choices.constLast(), m_editOwnList});
    // The keyboard starts on the current choice, so that Return keeps it.
    connect(menu, &QMenu::aboutToShow, menu,
            [menu, group = m_leaveOut] { menu->setActiveAction(group->checkedAction()); });
    return menu;
}

QList<QAction *> ViewMenu::leaveOutActions() const
{
    return m_leaveOut->actions();
}

void ViewMenu::updateActions()
{
    const bool zoomable = activePictureView() != nullptr;
    for (QAction *action : {m_zoomIn, m_zoomOut, m_zoomToFit})
        action->setEnabled(zoomable);
    m_showCloud->setEnabled(m_cloudView->generation() > 0);
    m_showVerbarium->setEnabled(m_verbariumView->picture().has_value());
    m_showKeyness->setEnabled(m_keynessWindow && m_keynessWindow->hasTable());
}

void ViewMenu::applyCloudOptions()
{
    CloudOptions options;
    options.gapBetweenWords = m_settings.value(ViewSettings::wordGap);
    options.contrastColours = m_settings.value(ViewSettings::contrastColours);
    m_cloudView->setOptions(options);
    m_leftOutWords.choose(m_settings.leftOutWords(), m_settings.ownListPath());
}

void ViewMenu::showAllWords()
{
    choose(QString());
}

QAction *ViewMenu::addAction(const QString &text, const QList<QKeySequence> &shortcuts)
{
    auto *action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    return action;
}

LayerHostWidget *ViewMenu::activePictureView() const
{
    const QWidget *active = QApplication::activeWindow();
    if (!active)
        return nullptr;
    if (active == m_cloudView->window())
        return m_cloudView;
    if (active == m_verbariumView->window())
        return m_verbariumView;
    return nullptr;
}

void ViewMenu::rememberOptions()
{
    m_settings.setValue(ViewSettings::wordGap, m_gap->isChecked());
    m_settings.setValue(ViewSettings::contrastColours, m_contrast->isChecked());
    const QAction *choice = m_leaveOut->checkedAction();
    m_settings.setLeftOutWords(choice ? choice->data().toString() : QString());
    applyCloudOptions();
}

void ViewMenu::choose(const QString &leftOut)
{
    for (QAction *action : m_leaveOut->actions()) {
        if (action->data().toString() == leftOut)
            action->setChecked(true);
    }
    rememberOptions();
}

void ViewMenu::editOwnList()
{
    if (!m_ownListEditor) {
        m_ownListEditor = std::make_unique<OwnListEditor>(m_settings.ownListPath());
        // What is saved is what the user wants left out.
        connect(m_ownListEditor.get(), &OwnListEditor::saved, this, [this] {
            watchOwnList();
            choose(ViewSettings::ownListChoice);
        });
    }
    m_ownListEditor->edit(newOwnListText(m_settings.leftOutWords()));
}

void ViewMenu::watchOwnList()
{
    const QFileInfo list(m_settings.ownListPath());
    for (const QString &path : {list.absolutePath(), list.absoluteFilePath()})
        if (QFileInfo::exists(path) && !m_ownListWatcher.files().contains(path) &&
            !m_ownListWatcher.directories().contains(path))
            m_ownListWatcher.addPath(path);
}

void ViewMenu::bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
