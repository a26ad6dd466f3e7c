#pragma once

#include <QObject>

class Dialogs;
class QPlainTextEdit;
class QWidget;
class VerbariumView;
class WordCloudView;

// The spine of every request: takes the user's text, typed or imported, runs the
// analysis and hands its two results to the cloud and the verbarium.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // The widgets the user-interface description made; they outlive this object.
    struct Outlets
    {
        QPlainTextEdit *textField = nullptr;
        QWidget *inputWindow = nullptr;
        QWidget *searchWindow = nullptr;
        WordCloudView *wordCloudView = nullptr;
        VerbariumView *verbariumView = nullptr;
    };

    AppDelegate(const Outlets &outlets, Dialogs &dialogs, QObject *parent = nullptr);

    void applicationDidFinishLaunching();

public slots:
    // The analysis request, sent by the Analyse button and its shortcut.
    void textDidChange();
    void importTextFile();

private:
    void displayWordCloud();

    Outlets m_outlets;
    Dialogs &m_dialogs;
};
