#include "AppDelegate.h"

#include "Dialogs.h"
#include "InputTextView.h"
#include "MessageText.h"
#include "TextAnalysis.h"
#include "VerbariumView.h"
#include "WordCloudView.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

AppDelegate::AppDelegate(const Outlets &outlets, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_outlets(outlets)
    , m_dialogs(dialogs)
{
    connect(&m_pipeline, &TextPipeline::textRead, this, &AppDelegate::takeImportedText);
    connect(&m_pipeline, &TextPipeline::textAnalysed, this, &AppDelegate::handOver);
    connect(&m_pipeline, &TextPipeline::textIndexed, this, &AppDelegate::takeIndex);
    connect(&m_pipeline, &TextPipeline::failed, this, &AppDelegate::reportFailure);
    connect(&m_pipeline, &TextPipeline::stageChanged, this, &AppDelegate::describeWork);
    connect(&m_pipeline, &TextPipeline::busyChanged, this, [this](bool busy) {
        // The text view takes a long text in while nothing else runs, so that the first
        // tree does not wait for it.
        m_outlets.textField->setFillPaused(busy);
        describeWork();
    });
    connect(&m_cloudJob, &CloudJob::cloudReady, this, &AppDelegate::showCloud);
    connect(&m_cloudJob, &CloudJob::failed, this, [this](const QString &message) {
        m_dialogs.runAlert(tr("Cannot Show the Word Cloud"), message, u"OK"_s);
    });
    connect(&m_cloudJob, &CloudJob::busyChanged, this, &AppDelegate::describeWork);
    connect(m_outlets.textField, &InputTextView::fillFinished, this, [this] {
        if (!m_outlets.textField->isFilling())
            setImporting(false);
    });
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching()
{
    m_outlets.inputWindow->show();
    m_outlets.inputWindow->raise();
    m_outlets.inputWindow->activateWindow();
}

void AppDelegate::textDidChange()
{
    // The Analyse button and its shortcut are off meanwhile; the imported text is
    // analysed as it arrives.
    if (m_importing)
        return;
    // Counts UTF-16 code units, whitespace and line breaks included.
    if (m_outlets.textField->textLength() > 4) {
        displayWordCloud();
        return;
    }
    m_dialogs.runAlert(u"Empty Text"_s, u"Please enter a Text to analyse"_s, u"OK"_s);
}

void AppDelegate::importTextFile()
{
    const std::optional<QString> path = m_dialogs.chooseFile({u"txt"_s});
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

void AppDelegate::openFile(const QString &path)
{
    emit analysisStarted();
    m_importName = escapedControls(QFileInfo(path).fileName());
    setImporting(true);
    m_pipeline.importFile(path);
}

void AppDelegate::displayWordCloud()
{
    emit analysisStarted();
    // The worker reads its own copy: the view may change meanwhile.
    m_pipeline.analyse(m_outlets.textField->text());
}

void AppDelegate::takeImportedText(const QString &text)
{
    m_outlets.textField->replaceText(text);
    if (!m_outlets.textField->isFilling())
        setImporting(false);
}

void AppDelegate::handOver(const std::shared_ptr<const TextAnalysis> &analysis)
{
    m_outlets.verbariumView->beginText();
    // The words are chosen and measured on a worker too: a text of many or giant words
    // takes its time there.
    m_cloudJob.buildFor(analysis);
    emit analysisHandedOver(analysis);
}

void AppDelegate::showCloud(const std::shared_ptr<const CloudContent> &content, bool forNewText)
{
    if (!forNewText) {
        m_outlets.wordCloudView->replaceCloud(content);
        return;
    }
    m_outlets.wordCloudView->buildCloud(content);
    m_outlets.searchWindow->activateWindow();
    emit wordCloudDisplayed();
}

void AppDelegate::takeIndex(const std::shared_ptr<const TextIndex> &index)
{
    m_outlets.verbariumView->setIndex(index);
}

void AppDelegate::reportFailure(TextPipeline::Stage stage, const QString &message)
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
        m_outlets.verbariumView->setIndexFailure(tr("No verbarium for this text. %1").arg(message));
        m_dialogs.runAlert(tr("Cannot Index the Text"),
                           tr("%1 The word cloud is shown, but no verbarium can be.").arg(message),
                           u"OK"_s);
        return;
    }
}

void AppDelegate::setImporting(bool importing)
{
    if (importing == m_importing)
        return;
    m_importing = importing;
    m_outlets.textField->setAwaitingText(importing);
    emit importingChanged(importing);
    describeWork();
}

void AppDelegate::describeWork()
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
