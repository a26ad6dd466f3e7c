#include "AppController.h"

#include "CorpusNames.h"
#include "Dialogs.h"
#include "InputTextView.h"
#include "TextAnalysis.h"
#include "WordCloudView.h"

#include <QFileInfo>
#include <QTextCursor>

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
    // A corpus is shown read only: its text and parts are still the files'.
    if (m_widgets.textView->showsCorpus()) {
        analyseChosenFiles();
        return;
    }
    if (m_widgets.textView->textLength() >= shortestTextAnalysed) {
        emit analysisStarted();
        m_requestedFileName.clear();
        m_corpus.requestNoFiles();
        // The worker reads its own copy: the view may change meanwhile.
        m_pipeline.analyse(m_widgets.textView->text());
        return;
    }
    m_dialogs.runAlert(u"Empty Text"_s, u"Please enter a Text to analyse"_s, u"OK"_s);
}

void AppController::analyseChosenFiles()
{
    const auto files = qsizetype(m_corpus.files().files().size());
    const qsizetype checked = m_corpus.checkedCount();
    if (checked == 0) {
        m_dialogs.runAlert(tr("No Files to Analyse"),
                           tr("All the files of the corpus are unchecked. Check at least one "
                              "file to analyse it."),
                           u"OK"_s);
        return;
    }
    emit analysisStarted();
    const QString description = corpusDescription(m_openedSources, files, checked);
    emit corpusShown(description, m_corpusLeftOut);
    m_requestedFileName = checked == files ? openedSourcesName(m_openedSources) : description;
    TextFile analysed = m_corpus.requestChecked(m_widgets.textView->text());
    m_pipeline.analyse(std::move(analysed.text), std::move(analysed.parts));
}

void AppController::importTextFiles()
{
    const QStringList paths = m_dialogs.chooseFiles({u"txt"_s}, tr("Open Text Files"));
    if (paths.isEmpty())
        return;
    // The chooser offers .txt files, but a typed name can be anything.
    for (const QString &path : paths) {
        if (QFileInfo(path).suffix().compare(u"txt"_s, Qt::CaseInsensitive) != 0) {
            m_dialogs.runAlert(tr("Cannot Import File"),
                               tr("%1 is not a .txt file. Choose a plain-text file whose name "
                                  "ends in .txt.")
                                   .arg(path),
                               u"OK"_s);
            return;
        }
    }
    openFiles(paths);
}

void AppController::importFolder()
{
    if (const std::optional<QString> folder = m_dialogs.chooseFolder(tr("Open a Folder of Texts")))
        openFiles({*folder});
}

void AppController::openFiles(const QStringList &paths)
{
    if (paths.isEmpty() || !mayReplaceText())
        return;
    emit analysisStarted();
    m_openedSources = paths;
    m_importName = openedSourcesName(paths);
    m_requestedFileName = m_importName;
    setImporting(true);
    m_pipeline.importFiles(paths);
}

bool AppController::mayReplaceText()
{
    // While an import is on its way, the view holds the text it replaces, asked for then.
    if (m_importing)
        return true;
    const QString text = m_widgets.textView->text();
    if (text.isEmpty() ||
        (text.size() == m_shownFileText.length && qHash(text) == m_shownFileText.hash))
        return true;
    return m_dialogs.confirmReplace(tr("Replace Your Text?"),
                                    tr("The text in the window is not in any file: what "
                                       "replaces it cannot bring it back."),
                                    tr("Replace"));
}

void AppController::startNewText()
{
    if (m_importing)
        return;
    InputTextView *view = m_widgets.textView;
    if (view->showsCorpus() || view->holdsLongText()) {
        // Neither is in the editor's undo: a text of files is still in them, any other
        // goes only if the user agrees.
        if (!mayReplaceText())
            return;
        showText({});
    } else {
        // As an edit, so that Undo brings the text back.
        QTextCursor cursor(view->document());
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
    }
    m_requestedFileName.clear();
    view->setFocus();
}

void AppController::takeImportedText(const TextFile &file)
{
    showText(file);
    emit sourcesOpened(m_openedSources);
    if (!m_widgets.textView->isFilling())
        setImporting(false);
}

void AppController::showText(const TextFile &file)
{
    m_corpusLeftOut = file.leftOut;
    m_corpus.show(file);
    m_shownFileText = {file.text.size(), qHash(file.text)};
    m_widgets.textView->setShowsCorpus(!file.parts.empty());
    m_widgets.textView->replaceText(file.text);
    emit corpusShown(file.parts.empty()
                         ? QString()
                         : corpusDescription(m_openedSources, qsizetype(file.parts.size()),
                                             qsizetype(file.parts.size())),
                     file.leftOut);
}

void AppController::handOver(const std::shared_ptr<const TextAnalysis> &analysis)
{
    // A newer request stops the older, so the analysis is the latest request's.
    m_analysedFileName = m_requestedFileName;
    m_corpus.takeAnalysis();
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
    m_corpus.countWords(
        index, [this] { return m_widgets.textView->text(); }, m_verbariumController.fileWords());
}

void AppController::reportFailure(TextPipeline::Stage stage, const QString &message,
                                  const QStringList &leftOut)
{
    switch (stage) {
    case TextPipeline::Stage::Reading:
        // The text view keeps what the user had; nothing is analysed.
        setImporting(false);
        if (leftOut.isEmpty())
            m_dialogs.runAlert(tr("Cannot Import File"), message, u"OK"_s);
        else
            m_dialogs.runListAlert(tr("Cannot Import Files"),
                                   tr("None of the files could be read:"), leftOut);
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
