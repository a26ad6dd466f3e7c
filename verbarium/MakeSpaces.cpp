#include "CharacterClasses.h"
#include "Scanner.h"
#include "TreeText.h"

using namespace Qt::Literals::StringLiterals;

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
