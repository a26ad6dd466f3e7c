#include "TokenWords.h"

#include "CharacterClasses.h"
#include "StopCheck.h"
#include "TokenSequence.h"
#include "WordCloud.h"

#include <QHash>

namespace cc = CharacterClasses;

namespace {

// Calls found(begin, end) for each maximal run of letters in token.
template<typename Found> void forEachLetterRun(QStringView token, Found found)
{
    qsizetype runStart = -1;
    for (qsizetype position = 0; position < token.size();) {
        const cc::Character character = cc::characterAt(token, position);
        const bool letter = cc::isLetter(character.codePoint);
        if (letter && runStart < 0)
            runStart = position;
        else if (!letter && runStart >= 0) {
            found(runStart, position);
            runStart = -1;
        }
        position += character.length;
    }
    if (runStart >= 0)
        found(runStart, token.size());
}

} // namespace

CountedSet wordsOfTokens(const TokenSequence &tokens, std::stop_token stop)
{
    StopCheck check(std::move(stop));
    std::vector<qsizetype> occurrences(tokens.distinctCount(), 0);
    for (quint32 position = 0; position < tokens.size(); ++position) {
        check();
        ++occurrences[tokens.idAt(position)];
    }
    std::vector<CountedSet::Entry> entries;
    // Views of the entries' strings: moving a QString keeps its characters in place.
    QHash<QStringView, qsizetype> entryOf;
    for (quint32 id = 0; id < tokens.distinctCount(); ++id) {
        const QString &token = tokens.word(id);
        forEachLetterRun(token, [&](qsizetype begin, qsizetype end) {
            check();
            const QStringView word = QStringView(token).sliced(begin, end - begin);
            const auto found = entryOf.constFind(word);
            if (found != entryOf.cend()) {
                entries[std::size_t(*found)].count += occurrences[id];
                return;
            }
            entries.push_back(
                {word.size() == token.size() ? token : word.toString(), occurrences[id]});
            entryOf.insert(QStringView(entries.back().word), qsizetype(entries.size()) - 1);
        });
    }
    return CountedSet::fromDistinct(std::move(entries));
}

bool holdsWord(QStringView token, QStringView word)
{
    bool holds = false;
    forEachLetterRun(token, [&](qsizetype begin, qsizetype end) {
        holds = holds || token.sliced(begin, end - begin) == word;
    });
    return holds;
}

QList<QStringView> wordsInToken(QStringView token)
{
    QList<QStringView> words;
    forEachLetterRun(token, [&](qsizetype begin, qsizetype end) {
        words.append(token.sliced(begin, end - begin));
    });
    return words;
}

WordDictionary cloudWordsOfTokens(const TokenSequence &tokens, std::stop_token stop)
{
    return WordCloud(wordsOfTokens(tokens, std::move(stop))).wordCloudElements();
}
