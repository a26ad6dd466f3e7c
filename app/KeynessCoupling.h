#pragma once

#include <QObject>

class AppController;
class Dialogs;
class KeynessComparison;
class KeynessWindow;
class QAction;
class ViewMenu;

// File ▸ Compare With…: compares the analysed text with a chosen file, or a corpus's
// checked files with the rest, and shows the comparison in the keyness window, whose
// cloud leaves out the words the word cloud leaves out. A word chosen there asks for
// its verbarium in the analysed text.
class KeynessCoupling : public QObject
{
    Q_OBJECT

public:
    // What is given belongs to the user-interface description and outlives this object.
    struct Parts
    {
        KeynessComparison &comparison;
        KeynessWindow &window;
        AppController &controller;
        QAction &compareWith;
        ViewMenu &viewMenu;
        Dialogs &dialogs;
    };
    explicit KeynessCoupling(Parts parts, QObject *parent = nullptr);

signals:
    void verbariumAsked(const QString &word);

private:
    void connectComparison();
    void compareWithChosenText();

    Parts m_parts;
};
