#pragma once

#include "CloudJob.h"
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
    // The name of the file whose analysis was handed over last, escaped; empty for a
    // typed or pasted text.
    const QString &analysedFileName() const { return m_analysedFileName; }

public slots:
    // The analysis request, sent by the Analyse button and its shortcut: analyses the
    // text in the text view, or says it is too short.
    void analyseTypedText();
    // Imports a .txt file chosen by the user, and analyses it.
    void importTextFile();
    // Imports any UTF-8 text file, whatever its name (a command-line argument, a
    // dropped file), and analyses it.
    void openFile(const QString &path);

signals:
    // An analysis has been asked for: of the text in the view, or of a file to import.
    void analysisStarted();
    // The hand-over has shown the cloud of the latest request.
    void wordCloudDisplayed();
    // The analysis handed over, for what shows more of its text than its words.
    void analysisHandedOver(const std::shared_ptr<const TextAnalysis> &analysis);
    void importingChanged(bool importing);
    // What the work under way is doing, in words for a status bar; empty when idle.
    void workDescribed(const QString &description);

private:
    void takeImportedText(const QString &text);
    void handOver(const std::shared_ptr<const TextAnalysis> &analysis);
    void showCloud(const std::shared_ptr<const CloudContent> &content, bool forNewText);
    void takeIndex(const std::shared_ptr<const TextIndex> &index);
    void reportFailure(TextPipeline::Stage stage, const QString &message);
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
};
