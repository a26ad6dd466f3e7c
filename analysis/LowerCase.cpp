#include "LowerCase.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace {

// ASCII units that end every case context: no Final_Sigma condition looks across
// them, so ICU can lower-case the text between two of them on its own and give
// what it gives for the whole text.
bool isContextBoundary(char16_t unit)
{
    switch (unit) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u',':
    case u';':
    case u'!':
    case u'?':
    case u'"':
    case u'(':
    case u')':
    case u'-':
        return true;
    default:
        return unit >= u'0' && unit <= u'9';
    }
}

// Lower-cases source with ICU into result at position, growing result as needed;
// returns the position after the written units.
qsizetype appendIcuLowerCase(QStringView source, QString &result, qsizetype position)
{
    static_assert(sizeof(UChar) == sizeof(QChar));
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t room = int32_t(std::min<qsizetype>(result.size() - position, INT32_MAX));
        const int32_t needed = u_strToLower(reinterpret_cast<UChar *>(result.data() + position),
                                            room, reinterpret_cast<const UChar *>(source.utf16()),
                                            int32_t(source.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            result.resize(std::max(result.size() * 2, position + needed));
            continue;
        }
        Q_ASSERT(U_SUCCESS(status));
        return position + needed;
    }
}

// ICU takes 32-bit lengths, and lower-casing at most doubles a span. A run of
// more than 500 million units without a space, digit or punctuation mark between
// them is cut into spans of this size; only a final sigma right at such a cut
// could see less context.
constexpr qsizetype maxSpan = qsizetype(1) << 29;

} // namespace

QString lowerCased(QStringView text)
{
    if (text.isEmpty())
        return {};
    const char16_t *source = text.utf16();
    const qsizetype size = text.size();
    QString result(size, Qt::Uninitialized);
    char16_t *target = reinterpret_cast<char16_t *>(result.data());
    qsizetype read = 0;
    qsizetype write = 0; // ASCII runs keep read and write in step; ICU spans may not
    while (read < size) {
        const char16_t unit = source[read];
        if (unit < 0x80) {
            target[write++] = (unit >= u'A' && unit <= u'Z') ? char16_t(unit + 0x20) : unit;
            ++read;
            continue;
        }
        // Hand ICU the whole span between context boundaries around this unit, so
        // a final sigma sees its neighbours. The ASCII units just written are
        // written again by ICU.
        qsizetype start = read;
        while (start > 0 && read - start < maxSpan / 2 && source[start - 1] < 0x80 &&
               !isContextBoundary(source[start - 1]))
            --start;
        write -= read - start;
        qsizetype end = read + 1;
        for (;;) {
            while (end < size && end - start < maxSpan &&
                   !(source[end] < 0x80 && isContextBoundary(source[end])))
                ++end;
            // In non-Latin text the next word is non-ASCII too: one ICU call for a
            // long stretch costs far less than one per word.
            qsizetype next = end;
            while (next < size && next - end < 16 && source[next] < 0x80)
                ++next;
            if (next == size || source[next] < 0x80 || next - start >= maxSpan)
                break;
            end = next;
        }
        if (end < size && QChar::isLowSurrogate(source[end]) &&
            QChar::isHighSurrogate(source[end - 1]))
            --end; // a cut span ends between whole characters
        write = appendIcuLowerCase(text.sliced(start, end - start), result, write);
        read = end;
        // Lower-casing can lengthen a span (U+0130 gives two units): keep room for
        // the rest of the text at one unit each.
        if (result.size() - write < size - read)
            result.resize(write + (size - read) + size / 16);
        target = reinterpret_cast<char16_t *>(result.data());
    }
    result.truncate(write);
    return result;
}

bool changesWhenLowerCased(char32_t c)
{
    return u_hasBinaryProperty(UChar32(c), UCHAR_CHANGES_WHEN_LOWERCASED);
}
