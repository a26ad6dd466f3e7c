#include "AppController.h"

#include "Dialogs.h"
#include "InputTextView.h"
#include "MessageText.h"
#include "TextAnalysis.h"
#include "WordCloudView.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// Counted in UTF-16 code units, whitespace and line breaks included: a shorter text has
// no words worth a cloud.
constexpr qsizetype shortestTextAnalysed = 5;

} // namespace

AppController::AppController(const Widgets &widgets, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_dialogs(dialogs)
{
    connect(&m_pipeline, &TextPipeline::textRead, this, &AppController::takeImportedText);
    connect(&m_pipeline, &TextPipeline::textAnalysed, this, &AppController::handOver);
    connect(&m_pipeline, &TextPipeline::textIndexed, this, &AppController::takeIndex);
    connect(&m_pipeline, &TextPipeline::failed, this, &AppController::reportFailure);
    connect(&m_pipeline, &TextPipeline::stageChanged, this, &AppController::describeWork);
    connect(&m_pipeline, &TextPipeline::busyChanged, this, [this](bool busy) {
        // The text view takes a long text in while nothing else runs, so that the first
        // tree does not wait for it.
        m_widgets.textView->setFillPaused(busy);
        describeWork();
    });
    connect(&m_cloudJob, &CloudJob::cloudReady, this, &AppController::showCloud);
    connect(&m_cloudJob, &CloudJob::failed, this, [this](const QString &message) {
        m_dialogs.runAlert(tr("Cannot Show the Word Cloud"), message, u"OK"_s);
    });
    connect(&m_cloudJob, &CloudJob::busyChanged, this, &AppController::describeWork);
    connect(m_widgets.textView, &InputTextView::fillFinished, this, [this] {
        if (!m_widgets.textView->isFilling())
            setImporting(false);
    });
}

AppController::~AppController() = default;

void AppController::showInputWindow()
{
    m_widgets.inputWindow->show();
    m_widgets.inputWindow->raise();
    m_widgets.inputWindow->activateWindow();
}

void AppController::analyseTypedText()
{
    // The Analyse button and its shortcut are off meanwhile; the imported text is
    // analysed as it arrives.
    if (m_importing)
        return;
    if (m_widgets.textView->textLength() >= shortestTextAnalysed) {
        emit analysisStarted();
        m_requestedFileName.clear();
        // The worker reads its own copy: the view may change meanwhile.
        m_pipeline.analyse(m_widgets.textView->text());
        return;
    }
    m_dialogs.runAlert(u"Empty Text"_s, u"Please enter a Text to analyse"_s, u"OK"_s);
}

void AppController::importTextFile()
{
    const std::optional<QString> path = m_dialogs.chooseFile({u"txt"_s}, tr("Import a Text File"));
    if (!path)
        return;
    // The chooser offers .txt files, but a typed name can be anything.
    if (QFileInfo(*path).suffix().compare(u"txt"_s, Qt::CaseInsensitive) != 0) {
        m_dialogs.runAlert(tr("Cannot Import File"),
                           tr("%1 is not a .txt file. Choose a plain-text file whose name ends "
                              "in .txt.")
                               .arg(*path),
                           u"OK"_s);
        return;
    }
    openFile(*path);
}

void AppController::openFile(const QString &path)
{
    emit analysisStarted();
    m_importName = escapedControls(QFileInfo(path).fileName());
    m_requestedFileName = m_importName;
    setImporting(true);
    m_pipeline.importFile(path);
}

void AppController::takeImportedText(const QString &text)
{
    m_widgets.textView->replaceText(text);
    if (!m_widgets.textView->isFilling())
        setImporting(false);
}

void AppController::handOver(const std::shared_ptr<const TextAnalysis> &analysis)
{
    // A newer request stops the older, so the analysis is the latest request's.
    m_analysedFileName = m_requestedFileName;
    m_verbariumController.beginText();
    // The words are chosen and measured on a worker too: a text of many or giant words
    // takes its time there.
    m_cloudJob.buildFor(analysis);
    emit analysisHandedOver(analysis);
}

void AppController::showCloud(const std::shared_ptr<const CloudContent> &content, bool forNewText)
{
    if (!forNewText) {
        m_widgets.wordCloudView->replaceCloud(content);
        return;
    }
    m_widgets.wordCloudView->buildCloud(content);
    m_widgets.cloudWindow->activateWindow();
    emit wordCloudDisplayed();
}

void AppController::takeIndex(const std::shared_ptr<const TextIndex> &index)
{
    m_verbariumController.setIndex(index);
}

void AppController::reportFailure(TextPipeline::Stage stage, const QString &message)
{
    switch (stage) {
    case TextPipeline::Stage::Reading:
        // The text view keeps what the user had; nothing is analysed.
        setImporting(false);
        m_dialogs.runAlert(tr("Cannot Import File"), message, u"OK"_s);
        return;
    case TextPipeline::Stage::Analysing:
        // The cloud and the verbarium keep the last text's.
        m_dialogs.runAlert(tr("Cannot Analyse the Text"), message, u"OK"_s);
        return;
    case TextPipeline::Stage::Indexing:
        // The cloud stays; the verbarium says why it shows no trees.
        m_verbariumController.setIndexFailure(tr("No verbarium for this text. %1").arg(message));
        m_dialogs.runAlert(tr("Cannot Index the Text"),
                           tr("%1 The word cloud is shown, but no verbarium can be.").arg(message),
                           u"OK"_s);
        return;
    }
}

void AppController::setImporting(bool importing)
{
    if (importing == m_importing)
        return;
    m_importing = importing;
    m_widgets.textView->setAwaitingText(importing);
    emit importingChanged(importing);
    describeWork();
}

void AppController::describeWork()
{
    QString description;
    if (m_pipeline.isBusy()) {
        switch (m_pipeline.stage()) {
        case TextPipeline::Stage::Reading:
            description = tr("Reading %1…").arg(m_importName);
            break;
        case TextPipeline::Stage::Analysing:
            description = tr("Analysing the text…");
            break;
        case TextPipeline::Stage::Indexing:
            description = tr("Indexing the text for the verbarium…");
            break;
        }
    } else if (m_cloudJob.isBusy()) {
        description = tr("Making the word cloud…");
    } else if (m_importing) {
        description = tr("Putting %1 into the text view…").arg(m_importName);
    }
    emit workDescribed(description);
}
