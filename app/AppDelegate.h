#pragma once

#include "CountedSet.h"
#include "WordDictionary.h"

#include <QObject>
#include <memory>

class Dialogs;
class InputTextView;
class QWidget;
class VerbariumView;
class WorkerRequests;
class WordCloudView;

// What one analysis hands to the two views; made on a worker, never changed after.
struct AnalysisResult
{
    WordDictionary words;
    QString treeText;
    std::shared_ptr<const CountedSet> allWords; // every word's count, for leaving words out
};

// The spine of every request: takes the user's text, typed or imported, runs the
// analysis on a worker and hands its two results to the cloud and the verbarium.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // The widgets the user-interface description made; they outlive this object.
    struct Outlets
    {
        InputTextView *textField = nullptr;
        QWidget *inputWindow = nullptr;
        QWidget *searchWindow = nullptr;
        WordCloudView *wordCloudView = nullptr;
        VerbariumView *verbariumView = nullptr;
    };

    AppDelegate(const Outlets &outlets, Dialogs &dialogs, QObject *parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    // Whether an import or an analysis is under way.
    bool isBusy() const;

public slots:
    // The analysis request, sent by the Analyse button and its shortcut.
    void textDidChange();
    // Imports a .txt file chosen by the user, and analyses it.
    void importTextFile();
    // Imports any UTF-8 text file, whatever its name (a command-line argument, a
    // dropped file), and analyses it.
    void openFile(const QString &path);

signals:
    // An analysis of the text in the view has been asked for.
    void analysisStarted();
    // The hand-over has shown the cloud of the latest request.
    void wordCloudDisplayed();

private:
    void displayWordCloud();
    void handOver(const AnalysisResult &result);

    Outlets m_outlets;
    Dialogs &m_dialogs;
    std::unique_ptr<WorkerRequests> m_requests;
};
