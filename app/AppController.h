#pragma once

#include "CloudJob.h"
#include "CorpusChoice.h"
#include "TextPipeline.h"
#include "VerbariumController.h"

#include <QObject>
#include <memory>

class Dialogs;
class InputTextView;
class QWidget;
class TextIndex;
class WordCloudView;
struct CloudContent;
struct TextAnalysis;

// The spine of every request: takes the user's text, typed or imported, has it read,
// analysed and indexed on a worker, and hands each result to the cloud and the
// verbarium's controller as it comes.
class AppController : public QObject
{
    Q_OBJECT

public:
    // The widgets the user-interface description made; they outlive this object.
    struct Widgets
    {
        InputTextView *textView = nullptr;
        QWidget *inputWindow = nullptr;
        QWidget *cloudWindow = nullptr;
        WordCloudView *wordCloudView = nullptr;
    };

    AppController(const Widgets &widgets, Dialogs &dialogs, QObject *parent = nullptr);
    ~AppController() override;

    // Brings the input window forward, as the app does on starting.
    void showInputWindow();
    // Whether a text is being read, analysed or indexed, or its cloud made.
    bool isBusy() const { return m_pipeline.isBusy() || m_cloudJob.isBusy(); }
    // What every text goes through; tests change how it indexes.
    TextPipeline &pipeline() { return m_pipeline; }
    // What chooses and measures the cloud's words: the words left out go to it.
    CloudJob &cloudJob() { return m_cloudJob; }
    // What grows the verbarium's trees and finds its contexts.
    VerbariumController &verbariumController() { return m_verbariumController; }
    // Whether an imported text is still on its way into the text view: until it is in,
    // the view holds no text of the user's to analyse.
    bool isImporting() const { return m_importing; }
    // The name of the file or corpus whose analysis was handed over last, escaped;
    // empty for a typed or pasted text.
    const QString &analysedFileName() const { return m_analysedFileName; }
    // The files of the corpus shown, to choose which the next analysis includes.
    CorpusFileModel &corpusFiles() { return m_corpus.files(); }
    // The files of the analysed corpus that the analysis left out, as a corpus of their
    // own, and what to call them; null when it left out none (or is not of a corpus).
    const std::shared_ptr<const TextFile> &analysedRest() const { return m_corpus.analysedRest(); }
    const QString &analysedRestName() const { return m_corpus.analysedRestName(); }

public slots:
    // The analysis request, sent by the Analyse button and its shortcut: analyses the
    // text in the text view, or says it is too short.
    void analyseTypedText();
    // Imports .txt files chosen by the user, and analyses them: one as a text of its
    // own, several as a corpus.
    void importTextFiles();
    // Imports a folder chosen by the user as a corpus of its .txt files, and analyses it.
    void importFolder();
    // Imports UTF-8 text files, whatever their names, and folders (command-line
    // arguments, dropped files), and analyses them: one file as a text of its own,
    // anything else as a corpus of the files, each folder's .txt files in path order.
    void openFiles(const QStringList &paths);
    // Empties the text view for a text of the user's own; what was typed there can be
    // undone back.
    void startNewText();

signals:
    // An analysis has been asked for: of the text in the view, or of a file to import.
    void analysisStarted();
    // The hand-over has shown the cloud of the latest request.
    void wordCloudDisplayed();
    // The analysis handed over, for what shows more of its text than its words.
    void analysisHandedOver(const std::shared_ptr<const TextAnalysis> &analysis);
    void importingChanged(bool importing);
    // The text view shows a corpus, described, or a text of its own (description
    // empty); leftOut names each file of the corpus left out and why.
    void corpusShown(const QString &description, const QStringList &leftOut);
    // Files and folders were opened (read, if only some of their files), as the user
    // gave them.
    void sourcesOpened(const QStringList &sources);
    // What the work under way is doing, in words for a status bar; empty when idle.
    void workDescribed(const QString &description);

private:
    void takeImportedText(const TextFile &file);
    // Analyses the files of the corpus shown that the user left checked.
    void analyseChosenFiles();
    // Shows file's text in the text view: a corpus read only, with its description.
    void showText(const TextFile &file);
    // Whether the text view's text may be replaced: one not read from files (typed,
    // pasted, or edited since) only when the user agrees.
    bool mayReplaceText();
    void handOver(const std::shared_ptr<const TextAnalysis> &analysis);
    void showCloud(const std::shared_ptr<const CloudContent> &content, bool forNewText);
    void takeIndex(const std::shared_ptr<const TextIndex> &index);
    void reportFailure(TextPipeline::Stage stage, const QString &message,
                       const QStringList &leftOut);
    void setImporting(bool importing);
    void describeWork();

    Widgets m_widgets;
    Dialogs &m_dialogs;
    TextPipeline m_pipeline;
    CloudJob m_cloudJob;
    VerbariumController m_verbariumController;
    bool m_importing = false;
    QString m_importName;        // the file being imported, for the status bar, escaped
    QString m_requestedFileName; // the latest request's file, escaped; empty when typed
    QString m_analysedFileName;
    QStringList m_openedSources; // the latest import's files and folders
    QStringList m_corpusLeftOut;
    // The corpus the text view shows, read only, and which of its files are requested.
    CorpusChoice m_corpus;
    // The text read from files last put into the view, known by its length and hash:
    // the text itself may be large, and the view holds it as long as it is there.
    struct TextSeen
    {
        qsizetype length = 0;
        size_t hash = 0;
    };
    TextSeen m_shownFileText;
};
