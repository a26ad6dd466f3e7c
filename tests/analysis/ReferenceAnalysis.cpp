#include "FileParser.h"

#include "CountedSet.h"
#include "LowerCase.h"
#include "Scanner.h"
#include "WordCloud.h"

using namespace Qt::Literals::StringLiterals;
namespace cc = CharacterClasses;

WordDictionary FileParser::inputStrings(QStringView text)
{
    const QString lower = lowerCased(text);

    QString buffer;
    Scanner lines(lower);
    QStringView line;
    if (lines.scanUpTo(cc::isLineBreak, &line))
        buffer.append(line);
    while (!lines.isAtEnd()) {
        lines.scanCharacters(cc::isLineBreak);
        if (!buffer.isEmpty() && buffer.back() == u'-')
            buffer.chop(1);
        else
            buffer.append(u' ');
        lines.scanUpTo(cc::isLineBreak, &line);
        buffer.append(line);
        if (buffer.endsWith(u' '))
            buffer.chop(1);
    }
    m_treeText = buffer;

    const QString joined = buffer;
    buffer = u""_s;
    Scanner pieces(joined);
    QStringView piece;
    while (!pieces.isAtEnd()) {
        if (pieces.scanUpTo(cc::isWordBreak, &piece)) {
            buffer.append(piece);
            buffer.append(u' ');
        }
        pieces.scanCharacters(cc::isWordBreak);
    }

    CountedSet words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= buffer.size(); ++i) {
        if (i == buffer.size() || cc::isWhitespace(buffer[i].unicode())) {
            if (i > start)
                words.add(QStringView(buffer).sliced(start, i - start));
            start = i + 1;
        }
    }
    return WordCloud(words).wordCloudElements();
}
