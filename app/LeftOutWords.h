#pragma once

#include "Job.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <stop_token>

// The words the cloud leaves out, as the View menu's choice says: none, a language's
// common words (built in), or the user's own list, a file read on a worker as the app's
// own files are read (see OwnFiles.h). A list that cannot be read leaves nothing out and
// says why.
class LeftOutWords : public QObject
{
    Q_OBJECT

public:
    explicit LeftOutWords(QObject *parent = nullptr);
    ~LeftOutWords() override;

    // choice: a language code, ViewSettings::ownListChoice for the list at
    // ownListPath, or empty for none. The own list is read anew each time.
    void choose(const QString &choice, const QString &ownListPath);

    const QSet<QString> &words() const { return m_words; }
    // What is left out, to begin a sentence: "English common words", "Words of your
    // own list"; empty for none.
    QString description() const;
    bool isReading() const { return m_reading.isRunning(); }

signals:
    void changed(const QSet<QString> &words);
    // The own list could not be read; message says why, naming the file. Said once
    // while the same problem lasts.
    void failed(const QString &message);

private:
    struct ReadList
    {
        QSet<QString> words;
        QString failure;
    };

    void take(QSet<QString> words);
    void takeList(const ReadList &read);

    QString m_choice;
    QSet<QString> m_words;
    QString m_lastFailure;   // of the last reading of the own list
    Job<ReadList> m_reading; // of the own list
};
