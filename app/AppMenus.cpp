#include "AppMenus.h"

#include "AppController.h"
#include "Dialogs.h"
#include "InputTextView.h"
#include "PictureExport.h"
#include "RecentMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QMimeData>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

AppMenus::AppMenus(AppController &controller, PictureExport &pictures, InputTextView *textView,
                   Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_controller(controller)
    , m_pictures(pictures)
    , m_textView(textView)
    , m_dialogs(dialogs)
    , m_newText(addAction(tr("&New"), QKeySequence::New))
    , m_import(addAction(tr("&Open…"), QKeySequence::Open))
    , m_importFolder(addAction(tr("Open &Folder…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)))
    , m_analyse(addAction(tr("&Analyse"), QKeySequence(Qt::CTRL | Qt::Key_Return)))
    , m_compareWith(addAction(tr("Compare &With…"), QKeySequence()))
    , m_exportCloud(addAction(tr("&Export Cloud…"), QKeySequence(Qt::CTRL | Qt::Key_E)))
    , m_exportVerbarium(
          addAction(tr("Export &Verbarium…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)))
    , m_quit(addAction(tr("&Quit"), QKeySequence::Quit))
    , m_undo(addAction(tr("&Undo"), QKeySequence::Undo))
    , m_redo(addAction(tr("&Redo"), QKeySequence::Redo))
    , m_cut(addAction(tr("Cu&t"), QKeySequence::Cut))
    , m_copy(addAction(tr("&Copy"), QKeySequence::Copy))
    , m_paste(addAction(tr("&Paste"), QKeySequence::Paste))
    , m_selectAll(addAction(tr("Select &All"), QKeySequence::SelectAll))
    , m_about(addAction(tr("&About Verbarium"), QKeySequence()))
{
    m_compareWith->setEnabled(false);
    m_quit->setMenuRole(QAction::QuitRole);
    m_about->setMenuRole(QAction::AboutRole);
    connect(m_newText, &QAction::triggered, &m_controller, &AppController::startNewText);
    connect(m_import, &QAction::triggered, &m_controller, &AppController::importTextFiles);
    connect(m_importFolder, &QAction::triggered, &m_controller, &AppController::importFolder);
    connect(m_analyse, &QAction::triggered, &m_controller, &AppController::analyseTypedText);
    connect(m_exportCloud, &QAction::triggered, &m_pictures, &PictureExport::exportCloud);
    connect(m_exportVerbarium, &QAction::triggered, &m_pictures, &PictureExport::exportVerbarium);
    connect(m_quit, &QAction::triggered, qApp, &QApplication::quit, Qt::QueuedConnection);
    connect(m_undo, &QAction::triggered, m_textView, &QPlainTextEdit::undo);
    connect(m_redo, &QAction::triggered, m_textView, &QPlainTextEdit::redo);
    connect(m_cut, &QAction::triggered, m_textView, &QPlainTextEdit::cut);
    connect(m_copy, &QAction::triggered, this, &AppMenus::copy);
    connect(m_paste, &QAction::triggered, m_textView, &QPlainTextEdit::paste);
    connect(m_selectAll, &QAction::triggered, m_textView, &QPlainTextEdit::selectAll);
    connect(m_about, &QAction::triggered, this, &AppMenus::showAbout);

    connect(m_textView, &QPlainTextEdit::undoAvailable, this, [this](bool available) {
        m_undoAvailable = available;
        updateActions();
    });
    connect(m_textView, &QPlainTextEdit::redoAvailable, this, [this](bool available) {
        m_redoAvailable = available;
        updateActions();
    });
    connect(m_textView, &QPlainTextEdit::copyAvailable, this, [this](bool available) {
        m_copyAvailable = available;
        updateActions();
    });
    connect(m_textView, &QPlainTextEdit::textChanged, this, &AppMenus::updateActions);
    connect(m_textView, &InputTextView::fillFinished, this, &AppMenus::updateActions);
    connect(m_textView, &InputTextView::longTextChanged, this, &AppMenus::updateActions);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &AppMenus::updateActions);
    connect(qApp, &QApplication::focusWindowChanged, this, &AppMenus::updateActions);
    connect(&m_controller, &AppController::wordCloudDisplayed, this, &AppMenus::updateActions);
    connect(&m_controller, &AppController::importingChanged, this, &AppMenus::updateActions);
    updateActions();
}

QMenuBar *AppMenus::addMenuBarTo(QWidget *window)
{
    auto *bar = new QMenuBar(window);
    QMenu *file = bar->addMenu(tr("&File"));
    file->addActions({m_newText, m_import, m_importFolder});
    if (m_recentMenu)
        m_recentMenu->addTo(file);
    file->addAction(m_analyse);
    file->addSeparator();
    file->addAction(m_compareWith);
    file->addSeparator();
    file->addActions({m_exportCloud, m_exportVerbarium});
    file->addSeparator();
    file->addAction(m_quit);
    QMenu *edit = bar->addMenu(tr("&Edit"));
    edit->addActions({m_undo, m_redo});
    edit->addSeparator();
    edit->addActions({m_cut, m_copy, m_paste});
    edit->addSeparator();
    edit->addAction(m_selectAll);
    QMenu *help = bar->addMenu(tr("&Help"));
    help->addAction(m_about);
    // Whatever changed since, a menu shows the states of the moment it opens.
    for (QMenu *menu : {file, edit, help})
        connect(menu, &QMenu::aboutToShow, this, &AppMenus::updateActions);
    return bar;
}

void AppMenus::updateActions()
{
    const QWidget *active = QApplication::activeWindow();
    const bool inText = active && active == m_textView->window();
    const bool editable = inText && !m_textView->isReadOnly();
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();

    m_analyse->setEnabled(!m_controller.isImporting());
    m_newText->setEnabled(!m_controller.isImporting());
    m_exportCloud->setEnabled(m_pictures.canExportCloud());
    m_exportVerbarium->setEnabled(m_pictures.canExportVerbarium());
    m_undo->setEnabled(editable && m_undoAvailable);
    m_redo->setEnabled(editable && m_redoAvailable);
    m_cut->setEnabled(editable && m_copyAvailable);
    m_paste->setEnabled(editable && clipboard && clipboard->hasText());
    m_selectAll->setEnabled(inText && m_textView->textLength() > 0 && !m_textView->holdsLongText());
    m_copy->setEnabled(inText ? m_copyAvailable
                              : copiesItself(QApplication::focusWidget()) ||
                                    m_pictures.canCopyPictureOf(active));
}

QAction *AppMenus::addAction(const QString &text, const QKeySequence &shortcut)
{
    auto *action = new QAction(text, this);
    action->setShortcut(shortcut);
    return action;
}

void AppMenus::copy()
{
    if (QApplication::activeWindow() == m_textView->window()) {
        m_textView->copy();
        return;
    }
    // What has the keyboard in a picture's window and can copy (the contexts' lines, a
    // field) copies its own; otherwise the picture goes to the clipboard.
    if (QWidget *focus = QApplication::focusWidget(); copiesItself(focus)) {
        QMetaObject::invokeMethod(focus, "copy");
        return;
    }
    m_pictures.copyPicture();
}

bool AppMenus::copiesItself(const QWidget *widget)
{
    return widget && widget->metaObject()->indexOfSlot("copy()") >= 0;
}

void AppMenus::showAbout()
{
    m_dialogs.showAbout(tr("About Verbarium"),
                        tr("Verbarium %1\n\nShows a text's words as a cloud, and the word "
                           "sequences that follow a chosen word as a tree.")
                            .arg(QStringLiteral(VERBARIUM_VERSION)));
}
