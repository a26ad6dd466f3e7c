#include "ReferenceAnalysis.h"

#include "CountedSet.h"
#include "Scanner.h"
#include "WordCloud.h"

#include <unicode/ustring.h>

using namespace Qt::Literals::StringLiterals;
namespace cc = CharacterClasses;

namespace {

QString lowerCasedWithIcu(QStringView text)
{
    if (text.isEmpty())
        return {};
    const auto *source = reinterpret_cast<const UChar *>(text.utf16());
    QString result(text.size() * 2 + 1, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strToLower(reinterpret_cast<UChar *>(result.data()), int32_t(result.size()), source,
                     int32_t(text.size()), "", &status);
    Q_ASSERT(U_SUCCESS(status));
    result.resize(length);
    return result;
}

} // namespace

ReferenceAnalysis analyseLiterally(QStringView text)
{
    const QString lower = lowerCasedWithIcu(text);

    QString buffer;
    Scanner lines(lower);
    QStringView line;
    if (lines.scanUpTo(cc::isLineBreak, &line))
        buffer.append(line);
    while (!lines.isAtEnd()) {
        lines.scanCharacters(cc::isLineBreak);
        if (buffer.sliced(buffer.size() - 1, 1).compare(u"-"_s) == 0)
            buffer.remove(buffer.size() - 1, 1);
        else
            buffer.append(u' ');
        lines.scanUpTo(cc::isLineBreak, &line);
        buffer.append(line);
        if (buffer.endsWith(u' '))
            buffer.remove(buffer.size() - 1, 1);
    }
    ReferenceAnalysis result;
    result.treeText = buffer;

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
    result.words = WordCloud(words).wordCloudElements();
    return result;
}
