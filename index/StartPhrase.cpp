#include "StartPhrase.h"

#include "Tokeniser.h"

QStringList typedTokens(const QString &typed)
{
    const TokenSequence tokens = tokenise(typed);
    QStringList words;
    for (quint32 position = 0; position < tokens.size(); ++position)
        words.append(tokens.wordAt(position));
    return words;
}
