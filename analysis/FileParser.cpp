#include "FileParser.h"

#include "CharacterClasses.h"
#include "CountedSet.h"
#include "LowerCase.h"
#include "WordCloud.h"
#include "WordCounter.h"

using namespace Qt::Literals::StringLiterals;
namespace cc = CharacterClasses;

// The joining and the word cutting below read UTF-16 units directly. That is
// exact: every skipped, line-break and whitespace character lies in the Basic
// Multilingual Plane, so no unit of a surrogate pair is ever taken for one.
namespace {

bool isSkippedUnit(char16_t unit)
{
    if (unit < 0x80)
        return unit == u' ' || unit == u'\t' || (unit >= 0x0A && unit <= 0x0D);
    return cc::isSkipped(unit);
}

// Joins the lines of text where it stands. The text only ever shrinks while it is
// written (a line break gives way to at most one space), so writing never
// overtakes reading.
void joinLinesInPlace(QString &text)
{
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    const qsizetype size = text.size();
    qsizetype read = 0;
    qsizetype write = 0;
    const auto skip = [&] {
        while (read < size && isSkippedUnit(units[read]))
            ++read;
    };
    const auto copyLine = [&] {
        while (read < size && !cc::isLineBreak(units[read]))
            units[write++] = units[read++];
    };

    skip();
    copyLine();
    for (skip(); read < size; skip()) {
        // A line is only ever copied after a non-skipped unit, so write > 0 here.
        Q_ASSERT(write > 0);
        if (units[write - 1] == u'-')
            --write;
        else
            units[write++] = u' ';
        copyLine();
        if (units[write - 1] == u' ')
            --write;
    }
    text.truncate(write);
}

bool isAsciiLetter(char16_t unit)
{
    return char16_t(unit | 0x20) >= u'a' && char16_t(unit | 0x20) <= u'z';
}

// Counts the maximal runs of letters of text.
CountedSet countWords(QStringView text)
{
    WordCounter counter;
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype position = 0;
    while (position < size) {
        const qsizetype start = position;
        quint64 hash = WordCounter::initialHash;
        while (position < size) {
            const char16_t unit = units[position];
            if (unit < 0x80) {
                if (!isAsciiLetter(unit))
                    break;
                hash = WordCounter::hashed(hash, unit);
                ++position;
                continue;
            }
            const cc::Character character = cc::characterAt(text, position);
            if (!cc::isLetter(character.codePoint))
                break;
            for (qsizetype i = 0; i < character.length; ++i)
                hash = WordCounter::hashed(hash, units[position + i]);
            position += character.length;
        }
        if (position > start) {
            counter.add(text.sliced(start, position - start), hash);
        } else {
            // Step over one non-letter character, never half a surrogate pair.
            position += cc::characterAt(text, position).length;
        }
    }
    return counter.toCountedSet();
}

} // namespace

WordDictionary FileParser::inputStrings(QStringView text, CountedSet *allWords)
{
    QString joined = lowerCased(text);
    joinLinesInPlace(joined);
    // Empty, but no longer null: the parser has been used.
    m_treeText = joined.isNull() ? QString(u""_s) : joined;
    CountedSet words = countWords(joined);
    WordDictionary dictionary = WordCloud(words).wordCloudElements();
    if (allWords)
        *allWords = std::move(words);
    return dictionary;
}
