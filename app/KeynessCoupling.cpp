#include "KeynessCoupling.h"

#include "AppController.h"
#include "Dialogs.h"
#include "KeynessComparison.h"
#include "KeynessWindow.h"
#include "TextAnalysis.h"
#include "ViewMenu.h"

#include <QAction>

using namespace Qt::Literals::StringLiterals;

KeynessCoupling::KeynessCoupling(Parts parts, QObject *parent)
    : QObject(parent)
    , m_parts(parts)
{
    KeynessComparison *comparison = &parts.comparison;
    AppController *controller = &parts.controller;
    QAction *compareWith = &parts.compareWith;
    connect(
        controller, &AppController::analysisHandedOver, comparison,
        [comparison, controller, compareWith](const std::shared_ptr<const TextAnalysis> &analysis) {
            comparison->setRestOfA(controller->analysedRest(), controller->analysedRestName());
            comparison->setTextA(analysis, controller->analysedFileName());
            compareWith->setEnabled(true);
        });
    connect(compareWith, &QAction::triggered, this, &KeynessCoupling::compareWithChosenText);
    comparison->setLeftOut(parts.viewMenu.leftOutWords().words());
    connect(&parts.viewMenu, &ViewMenu::leftOutChanged, comparison, &KeynessComparison::setLeftOut);
    connectComparison();
    connect(&parts.window, &KeynessWindow::wordChosen, this, &KeynessCoupling::verbariumAsked);
}

void KeynessCoupling::connectComparison()
{
    KeynessComparison *comparison = &m_parts.comparison;
    KeynessWindow *window = &m_parts.window;
    comparison->setMinimumLogLikelihood(window->minimumLogLikelihood());
    connect(window, &KeynessWindow::minimumLogLikelihoodChosen, comparison,
            &KeynessComparison::setMinimumLogLikelihood);
    connect(comparison, &KeynessComparison::comparing, window, &KeynessWindow::showComparing);
    connect(comparison, &KeynessComparison::busyChanged, window, &KeynessWindow::setBusy);
    connect(comparison, &KeynessComparison::tableReady, window, &KeynessWindow::showTable);
    connect(comparison, &KeynessComparison::cloudReady, window, &KeynessWindow::showCloud);
    connect(comparison, &KeynessComparison::failed, window,
            [window, comparison, &dialogs = m_parts.dialogs](const QString &message) {
                // A window that never showed a comparison has nothing to show.
                if (!comparison->table())
                    window->hide();
                dialogs.runAlert(tr("Cannot Compare the Texts"), message, u"OK"_s);
            });
}

void KeynessCoupling::compareWithChosenText()
{
    KeynessComparison &comparison = m_parts.comparison;
    Dialogs &dialogs = m_parts.dialogs;
    if (!comparison.canCompare()) {
        dialogs.runAlert(tr("Nothing to Compare"),
                         tr("The analysed text has no words to compare with another."), u"OK"_s);
        return;
    }
    // The files a corpus's analysis left out are the other text at hand.
    if (comparison.canCompareWithRest()) {
        const std::optional<qsizetype> choice = dialogs.chooseAmong(
            tr("Compare With"),
            tr("Compare %1 with another text file, or with %2 of the corpus?")
                .arg(m_parts.controller.analysedFileName(), m_parts.controller.analysedRestName()),
            {tr("Another File…"), tr("The Rest of the Corpus")});
        if (choice == 1)
            comparison.compareWithRest();
        if (choice != 0)
            return;
    }
    const std::optional<QString> path =
        dialogs.chooseFile({u"txt"_s}, tr("Compare With a Text File"));
    if (path)
        comparison.compareWith(*path);
}
