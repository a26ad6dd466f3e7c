#include "TokenSequence.h"

#include "CharacterClasses.h"
#include "LowerCase.h"
#include "Scanner.h"

using namespace Qt::Literals::StringLiterals;

namespace {

TokenSequence::Kind kindOf(QStringView token)
{
    if (token == u"."_s)
        return TokenSequence::Kind::FullStop;
    if (token == u"?"_s || token == u"!"_s)
        return TokenSequence::Kind::QuestionOrExclamation;
    return TokenSequence::Kind::Ordinary;
}

} // namespace

QString makeSpaces(QStringView text)
{
    QString spaced;
    spaced.reserve(text.size() + text.size() / 4);
    Scanner scanner(text);
    while (!scanner.isAtEnd()) {
        QStringView textPiece;
        QStringView punctuationPiece;
        scanner.scanUpTo(CharacterClasses::isPunctuation, &textPiece);
        scanner.scanCharacters(CharacterClasses::isPunctuation, &punctuationPiece);
        spaced += textPiece;
        spaced += u' ';
        spaced += punctuationPiece;
        spaced += u' ';
    }
    return spaced;
}

QString preparedText(QStringView treeText)
{
    return lowerCased(makeSpaces(treeText));
}

TokenSequence tokenise(QStringView treeText)
{
    TokenSequence tokens;
    const QString prepared = preparedText(treeText);
    Scanner scanner(prepared);
    QStringView token;
    while (scanner.scanUpTo(CharacterClasses::isWhitespace, &token)) {
        scanner.scanCharacters(CharacterClasses::isWhitespace);
        auto found = tokens.idOfWord.find(hashKeyOf(token));
        if (found == tokens.idOfWord.end()) {
            // The key views the kept word, not the prepared text, which goes.
            const auto id = quint32(tokens.words.size());
            const QString &word = tokens.words.emplace_back(token.toString());
            tokens.kinds.push_back(kindOf(token));
            found = tokens.idOfWord.emplace(hashKeyOf(word), id).first;
        }
        tokens.ids.push_back(found->second);
    }
    return tokens;
}
