#include "LeftOutWords.h"

#include "CommonWords.h"
#include "OwnFiles.h"
#include "ViewSettings.h"

#include <QFile>

LeftOutWords::LeftOutWords(QObject *parent)
    : QObject(parent)
    , m_reading(this, tr("There is not enough memory to read your list of words."))
{}

LeftOutWords::~LeftOutWords() = default;

void LeftOutWords::choose(const QString &choice, const QString &ownListPath)
{
    m_choice = choice;
    m_reading.drop();
    if (choice != ViewSettings::ownListChoice) {
        take(choice.isEmpty() ? QSet<QString>() : commonWordsOf(choice));
        return;
    }
    m_reading.start(
        [ownListPath](std::stop_token stop) {
            const TextFile file = readOwnFile(ownListPath, std::move(stop));
            // A list not made yet leaves nothing out, and is no failure.
            if (!file.error.isEmpty() && QFile::exists(ownListPath))
                return ReadList{{}, file.error};
            return ReadList{parseWordList(file.text), QString()};
        },
        {[this](const ReadList &read) { takeList(read); },
         [this](const QString &message) {
             takeList({{}, message});
         }});
}

void LeftOutWords::takeList(const ReadList &read)
{
    take(read.words);
    // The list is read again at each analysis and each change in its folder: a problem
    // is said once, until it changes.
    if (!read.failure.isEmpty() && read.failure != m_lastFailure)
        emit failed(read.failure);
    m_lastFailure = read.failure;
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
