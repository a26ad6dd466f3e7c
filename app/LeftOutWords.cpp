#include "LeftOutWords.h"

#include "CommonWords.h"
#include "OwnFiles.h"
#include "ViewSettings.h"
#include "WorkerJobs.h"

#include <QFile>

LeftOutWords::LeftOutWords(QObject *parent)
    : QObject(parent)
{}

LeftOutWords::~LeftOutWords()
{
    m_stop.request_stop();
}

void LeftOutWords::choose(const QString &choice, const QString &ownListPath)
{
    m_choice = choice;
    dropJob(m_reading, m_stop, this);
    if (choice != ViewSettings::ownListChoice) {
        take(choice.isEmpty() ? QSet<QString>() : commonWordsOf(choice));
        return;
    }
    m_stop = std::stop_source();
    m_reading = new QFutureWatcher<ReadList>(this);
    connect(m_reading, &QFutureWatcherBase::finished, this, [this] {
        const ReadList read = m_reading->result();
        m_reading->deleteLater();
        m_reading = nullptr;
        take(read.words);
        // The list is read again at each analysis and each change in its folder: a
        // problem is said once, until it changes.
        if (!read.failure.isEmpty() && read.failure != m_lastFailure)
            emit failed(read.failure);
        m_lastFailure = read.failure;
    });
    m_reading->setFuture(runStoppable(
        [ownListPath](std::stop_token stop) {
            const TextFile file = readOwnFile(ownListPath, std::move(stop));
            // A list not made yet leaves nothing out, and is no failure.
            if (!file.error.isEmpty() && QFile::exists(ownListPath))
                return ReadList{{}, file.error};
            return ReadList{parseWordList(file.text), QString()};
        },
        m_stop.get_token(), tr("There is not enough memory to read your list of words.")));
}

QString LeftOutWords::description() const
{
    if (m_choice.isEmpty())
        return {};
    if (m_choice == ViewSettings::ownListChoice)
        return tr("Words of your own list");
    for (const CommonWordLanguage &language : commonWordLanguages()) {
        if (language.code == m_choice)
            return tr("%1 common words").arg(language.name);
    }
    return tr("Common words");
}

void LeftOutWords::take(QSet<QString> words)
{
    if (words == m_words)
        return;
    m_words = std::move(words);
    emit changed(m_words);
}
