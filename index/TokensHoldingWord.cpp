#include "TokensHoldingWord.h"

#include "StopCheck.h"
#include "TextIndex.h"
#include "TokenWords.h"

#include <algorithm>

QList<HoldingToken> tokensHoldingWord(const TextIndex &index, const QString &word,
                                      std::stop_token stop)
{
    StopCheck check(std::move(stop));
    const TokenSequence &tokens = index.tokens();
    QList<HoldingToken> holding;
    for (quint32 id = 0; id < tokens.distinctCount(); ++id) {
        check();
        const QString &token = tokens.word(id);
        if (token.size() <= word.size() || !token.contains(word) || !holdsWord(token, word))
            continue;
        const auto [begin, end] = index.occurrences({token});
        holding.append({token, end - begin});
    }
    // Ids number the tokens in the order of the text.
    std::stable_sort(
        holding.begin(), holding.end(),
        [](const HoldingToken &a, const HoldingToken &b) { return a.times > b.times; });
    return holding;
}
