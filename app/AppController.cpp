#include "AppController.h"

#include "CorpusNames.h"
#include "CorpusSelection.h"
#include "Dialogs.h"
#include "FileNumbers.h"
#include "InputTextView.h"
#include "MessageText.h"
#include "OccurrenceSpread.h"
#include "TextAnalysis.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "WordCloudView.h"

#include <QFileInfo>
#include <QTextCursor>
#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

// Counted in UTF-16 code units, whitespace and line breaks included: a shorter text has
// no words worth a cloud.
constexpr qsizetype shortestTextAnalysed = 5;

std::vector<TextSpan> spansOf(const std::vector<TextPart> &parts)
{
    std::vector<TextSpan> spans;
    spans.reserve(parts.size());
    for (const TextPart &part : parts)
        spans.push_back({part.start, part.start + part.length});
    return spans;
}

} // namespace

AppController::AppController(const Widgets &widgets, Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_widgets(widgets)
    , m_dialogs(dialogs)
    , m_wordCounting(this, tr("There is not enough memory to count the words of each file."))
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
        m_requestedFiles.clear();
        m_requestedRest.reset();
        // The worker reads its own copy: the view may change meanwhile.
        m_pipeline.analyse(m_widgets.textView->text());
        return;
    }
    m_dialogs.runAlert(u"Empty Text"_s, u"Please enter a Text to analyse"_s, u"OK"_s);
}

void AppController::analyseChosenFiles()
{
    const std::vector<bool> &included = m_corpusFiles.included();
    const std::vector<TextPart> &parts = m_corpusFiles.files();
    const qsizetype files = qsizetype(parts.size());
    // A corpus of one file has no list to choose from.
    const qsizetype chosen =
        files < 2 ? files : qsizetype(std::count(included.begin(), included.end(), true));
    if (chosen == 0) {
        m_dialogs.runAlert(tr("No Files to Analyse"),
                           tr("All the files of the corpus are unchecked. Check at least one "
                              "file to analyse it."),
                           u"OK"_s);
        return;
    }
    emit analysisStarted();
    const QString description = corpusDescription(m_openedSources, files, chosen);
    emit corpusShown(description, m_corpusLeftOut);
    m_requestedFiles.clear();
    if (chosen == files) {
        m_requestedFileName = openedSourcesName(m_openedSources);
        m_requestedFiles.resize(files);
        std::iota(m_requestedFiles.begin(), m_requestedFiles.end(), 0);
        m_requestedSpans = spansOf(parts);
        m_requestedRest.reset();
        m_pipeline.analyse(m_widgets.textView->text(), parts);
        return;
    }
    m_requestedFileName = description;
    for (int file = 0; file < int(files); ++file) {
        if (included[file])
            m_requestedFiles.push_back(file);
    }
    const QString text = m_widgets.textView->text();
    std::vector<bool> rest(included.size());
    std::transform(included.begin(), included.end(), rest.begin(), std::logical_not<>());
    m_requestedRest = std::make_shared<const TextFile>(chosenFiles(text, parts, rest));
    m_requestedRestName =
        files - chosen == 1 ? tr("the other file") : tr("the other %L1 files").arg(files - chosen);
    TextFile analysed = chosenFiles(text, parts, included);
    m_requestedSpans = spansOf(analysed.parts);
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
    m_wordCounting.drop();
    m_corpusFiles.setFiles(file.parts);
    // The text read is analysed as it is, all its files included.
    m_requestedFiles.resize(file.parts.size());
    std::iota(m_requestedFiles.begin(), m_requestedFiles.end(), 0);
    m_requestedSpans = spansOf(file.parts);
    m_requestedRest.reset();
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
    m_analysedRest = m_requestedRest;
    m_analysedRestName = m_requestedRestName;
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
    if (m_corpusFiles.rowCount() > 1 && m_corpusFiles.lacksWordsOf(m_requestedFiles))
        countWordsOfFiles(index);
}

void AppController::countWordsOfFiles(const std::shared_ptr<const TextIndex> &index)
{
    // The files the analysis left out before their words were counted (the first
    // analysis stopped by the next) are tokenised for it; they are few, and rarely any.
    std::vector<int> files = m_requestedFiles;
    std::vector<bool> analysed(std::size_t(m_corpusFiles.rowCount()), false);
    for (int file : files)
        analysed[std::size_t(file)] = true;
    std::vector<int> others;
    for (int file = 0; file < m_corpusFiles.rowCount(); ++file) {
        if (!analysed[std::size_t(file)] && m_corpusFiles.lacksWordsOf({file}))
            others.push_back(file);
    }
    std::vector<QString> otherTexts;
    if (!others.empty()) {
        const QString text = m_widgets.textView->text();
        for (int file : others) {
            const TextPart &part = m_corpusFiles.files()[std::size_t(file)];
            otherTexts.push_back(text.sliced(part.start, part.length));
            files.push_back(file);
        }
    }
    // The index has the analysed files' tokens at hand: counting them is a pass.
    m_wordCounting.start(
        [index, spans = m_requestedSpans, otherTexts,
         memo = m_verbariumController.fileWords()](std::stop_token stop) {
            // The contexts' table counts the same words: whichever asks second reuses them.
            std::vector<qsizetype> words =
                *memo->wordsOf(index, fileTokenStarts(index->tokens(), spans), stop);
            for (const QString &text : otherTexts) {
                const TokenSequence tokens = tokenise(text, stop);
                const std::vector<quint32> whole{0, tokens.size()};
                words.push_back(wordsPerFile(tokens, whole, stop).front());
            }
            return words;
        },
        {[this, files](const std::vector<qsizetype> &words) {
             m_corpusFiles.setWords(files, words);
         },
         // The list goes on without the words; the analysis has them.
         [](const QString &) {}});
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
