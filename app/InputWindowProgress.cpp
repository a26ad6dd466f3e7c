#include "InputWindowProgress.h"

#include "AppController.h"
#include "InputTextView.h"
#include "LongTextView.h"
#include "ui_InputWindow.h"

#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>

namespace {

void showStatus(QMainWindow *window, AppController *controller)
{
    QStatusBar *statusBar = window->statusBar();
    QObject::connect(controller, &AppController::workDescribed, statusBar,
                     [statusBar](const QString &description) {
                         if (description.isEmpty())
                             statusBar->clearMessage();
                         else
                             statusBar->showMessage(description);
                     });
}

// A long text going into the view shows its progress in the status bar.
QProgressBar *addFillProgress(QMainWindow *window, InputTextView *textView)
{
    auto *progressBar = new QProgressBar;
    progressBar->setRange(0, 1000);
    progressBar->setMaximumWidth(240);
    // The bar says what it measures, to the eye and to a screen reader.
    progressBar->setTextVisible(true);
    progressBar->setFormat(QObject::tr("Into the editor: %p%"));
    progressBar->setAccessibleName(QObject::tr("Text going into the editor"));
    progressBar->hide();
    window->statusBar()->addPermanentWidget(progressBar);
    QObject::connect(textView, &InputTextView::fillProgress, progressBar,
                     [progressBar](qsizetype done, qsizetype total) {
                         progressBar->setValue(int(1000 * done / std::max<qsizetype>(total, 1)));
                         progressBar->show();
                     });
    QObject::connect(textView, &InputTextView::fillFinished, progressBar, &QWidget::hide);
    return progressBar;
}

// A text too long to edit is shown read-only until the user asks for it in the editor.
void connectLongText(Ui::InputWindow &input)
{
    const auto describe = [&input](qsizetype length) {
        // A corpus is never edited, so it has no Edit Here.
        const bool corpus = input.textView->showsCorpus();
        input.editLongTextButton->setVisible(!corpus);
        input.longTextNote->setText(
            corpus ? QObject::tr("These files' %L1 characters are shown as they are.").arg(length)
                   : QObject::tr("This text of %L1 characters is too long to edit comfortably "
                                 "and is shown as it is; it is analysed all the same. Edit Here "
                                 "puts it into the editor.")
                         .arg(length));
    };
    QObject::connect(input.textView, &InputTextView::longTextChanged, input.textStack,
                     [&input, describe](const QString &text) {
                         input.longTextView->setText(text);
                         input.editLongTextButton->setEnabled(true);
                         if (text.isEmpty()) {
                             input.textStack->setCurrentWidget(input.textView);
                             return;
                         }
                         describe(text.size());
                         input.textStack->setCurrentWidget(input.longTextPage);
                     });
    QObject::connect(input.editLongTextButton, &QPushButton::clicked, input.textView, [&input] {
        input.editLongTextButton->setEnabled(false);
        input.textView->editLongText();
    });
    // While it goes in, the note says what is done and how far it is.
    QObject::connect(input.textView, &InputTextView::fillProgress, input.longTextNote,
                     [&input](qsizetype done, qsizetype total) {
                         if (input.textStack->currentWidget() != input.longTextPage)
                             return;
                         input.longTextNote->setText(
                             QObject::tr("Putting the text into the editor: %1% done. It stays "
                                         "read only until it is all in.")
                                 .arg(100 * done / std::max<qsizetype>(total, 1)));
                     });
    QObject::connect(input.textView, &InputTextView::longTextNotEditable, input.longTextNote,
                     [&input](const QString &message) {
                         input.longTextNote->setText(message);
                         input.editLongTextButton->setEnabled(true);
                     });
}

} // namespace

QProgressBar *showInputWindowProgress(QMainWindow *window, Ui::InputWindow &input,
                                      AppController *controller)
{
    showStatus(window, controller);
    connectLongText(input);
    return addFillProgress(window, input.textView);
}
