#include "StartPhrase.h"

#include "CharacterClasses.h"
#include "LowerCase.h"
#include "Tokeniser.h"

namespace {

// Whether whitespace stands between two other characters.
bool holdsSeveralWords(QStringView text)
{
    const auto isSpace = [](QChar unit) { return CharacterClasses::isSkipped(unit.unicode()); };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last && std::any_of(first, last, isSpace);
}

} // namespace

QStringList startPhraseOf(const QString &typed)
{
    const QString lowered = lowerCased(typed);
    return holdsSeveralWords(lowered) ? typedTokens(lowered) : QStringList{lowered};
}

QStringList typedTokens(const QString &typed)
{
    const TokenSequence tokens = tokenise(typed);
    QStringList words;
    for (quint32 position = 0; position < tokens.size(); ++position)
        words.append(tokens.wordAt(position));
    return words;
}
