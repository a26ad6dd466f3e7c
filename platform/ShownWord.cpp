#include "ShownWord.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

// The first length - 1 code units of word (fewer by one rather than half a pair) and "…".
QString cut(const QString &word, qsizetype length)
{
    qsizetype kept = length - 1;
    if (word.at(kept - 1).isHighSurrogate())
        --kept;
    return word.first(kept) + u'…';
}

} // namespace

QString drawnWord(const QString &word)
{
    return word.size() <= longestDrawnWord ? word : cut(word, longestDrawnWord);
}

QString panelWord(const QString &word)
{
    if (word.size() <= longestPanelWord)
        return word;
    return u"%1 (%2 characters)"_s.arg(cut(word, longestPanelWord),
                                       QLocale().toString(word.size()));
}
