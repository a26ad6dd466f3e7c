#include "Tokeniser.h"

#include "BothCores.h"
#include "CharacterClasses.h"
#include "LowerCase.h"
#include "StopCheck.h"

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace cc = CharacterClasses;

namespace {

// What the tokeniser needs to know of a character, as bits.
enum Class : quint8 {
    Punctuation = 1,
    Whitespace = 2, // ends a token
    Skipped = 4,    // passed over before a line: whitespace and line breaks
    ChangesWhenLowered = 8,
    Surrogate = 16, // in the tables only: half a character, looked up whole
};

quint8 classOf(char32_t c)
{
    quint8 bits = 0;
    if (cc::isPunctuation(c))
        bits |= Punctuation;
    if (cc::isWhitespace(c))
        bits |= Whitespace;
    if (cc::isSkipped(c))
        bits |= Skipped;
    if (changesWhenLowerCased(c))
        bits |= ChangesWhenLowered;
    return bits;
}

constexpr char32_t capitalSigma = 0x03A3;

// Every character of a long text is looked at: the Basic Multilingual Plane is answered
// from tables filled once.
struct BasicPlane
{
    std::array<quint8, 0x10000> classes;
    // The lower-case form of a character that changes when lowered, where it is one unit
    // whatever surrounds it; 0 for the few that lower to more units or by context.
    std::array<char16_t, 0x10000> lowered;
};

const BasicPlane &basicPlane()
{
    static const std::unique_ptr<const BasicPlane> plane = [] {
        auto tables = std::make_unique<BasicPlane>();
        for (char32_t c = 0; c < 0x10000; ++c) {
            const quint8 bits = classOf(c);
            tables->classes[c] = QChar::isSurrogate(c) ? quint8(Surrogate) : bits;
            tables->lowered[c] = 0;
            if (!(bits & ChangesWhenLowered) || c == capitalSigma)
                continue;
            const UChar unit = UChar(c);
            UChar lowered[4];
            UErrorCode status = U_ZERO_ERROR;
            if (u_strToLower(lowered, 4, &unit, 1, "", &status) == 1 && U_SUCCESS(status))
                tables->lowered[c] = lowered[0];
        }
        return tables;
    }();
    return *plane;
}

char32_t codePointBefore(QStringView text, qsizetype &position)
{
    const char16_t unit = text[--position].unicode();
    if (QChar::isLowSurrogate(unit) && position > 0 &&
        QChar::isHighSurrogate(text[position - 1].unicode()))
        return QChar::surrogateToUcs4(text[--position].unicode(), unit);
    return unit;
}

// Whether a cased letter comes next in the text, past case-ignorable characters
// (apostrophes, full stops, combining marks...), looking back or forward.
bool casedLetterBefore(QStringView text, qsizetype position)
{
    while (position > 0) {
        const char32_t c = codePointBefore(text, position);
        if (!u_hasBinaryProperty(UChar32(c), UCHAR_CASE_IGNORABLE))
            return u_hasBinaryProperty(UChar32(c), UCHAR_CASED);
    }
    return false;
}

bool casedLetterAfter(QStringView text, qsizetype position)
{
    while (position < text.size()) {
        const cc::Character character = cc::characterAt(text, position);
        const auto c = UChar32(character.codePoint);
        if (!u_hasBinaryProperty(c, UCHAR_CASE_IGNORABLE))
            return u_hasBinaryProperty(c, UCHAR_CASED);
        position += character.length;
    }
    return false;
}

// Reads the lines of one part of a text into tokens.
class PartReader
{
public:
    PartReader(QStringView text, std::stop_token stop)
        : m_text(text)
        , m_units(text.utf16())
        , m_plane(basicPlane())
        , m_check(std::move(stop))
    {}

    // The part [begin, end) must not end inside a line that a hyphen joins to the next.
    // startsWithFirstLine: whether the part's first line is the text's first, which
    // keeps a trailing space that later lines lose.
    TokenSequence read(qsizetype begin, qsizetype end, bool startsWithFirstLine)
    {
        m_begin = begin;
        readLines(begin, end, startsWithFirstLine);
        appendBatch();
        return std::move(m_tokens);
    }

    // Each file of a corpus on its own, its first line a first line.
    TokenSequence readFiles(std::span<const TextSpan> files)
    {
        m_begin = files.empty() ? 0 : files.front().begin;
        for (const TextSpan &file : files) {
            appendBatch();
            m_tokens.beginPart();
            readLines(file.begin, file.end, true);
        }
        appendBatch();
        return std::move(m_tokens);
    }

private:
    enum class In { Nothing, Text, Punctuation };

    static constexpr qsizetype stretchUnits = 4096;
    // So many tokens before the room for them is projected from what they took.
    static constexpr quint32 firstRoom = 1u << 14;

    void readLines(qsizetype begin, qsizetype end, bool startsWithFirstLine)
    {
        bool isFirstLine = startsWithFirstLine;
        for (qsizetype line = skipped(begin, end); line < end; isFirstLine = false) {
            const qsizetype lineBreak = lineEnd(line, end);
            // The line starts with a character that is not skipped, so it keeps at least
            // that one whatever its end loses.
            qsizetype contentEnd = lineBreak;
            if (!isFirstLine && m_units[contentEnd - 1] == u' ')
                --contentEnd;
            const qsizetype next = skipped(lineBreak, end);
            if (m_tokens.size() >= m_room)
                makeRoom(line);
            if (next < end && m_units[contentEnd - 1] == u'-') {
                // The hyphen goes, and the next line goes on right where it stood.
                readCharacters(line, contentEnd - 1);
            } else {
                readCharacters(line, contentEnd);
                endToken();
            }
            line = next;
        }
        endToken();
    }

    // Room for as many tokens as the text read so far says the rest of the text holds
    // (the later half of a text read on two threads joins the first's), not twice as
    // many each time: every such step writes the ids and places again, into fresh memory.
    void makeRoom(qsizetype position)
    {
        const quint32 size = m_tokens.size();
        const double share =
            double(m_text.size() - m_begin) / double(std::max<qsizetype>(position - m_begin, 1));
        const double projected = size < firstRoom ? 0 : double(size) * share * 1.02;
        const double atLeast = double(size) * 1.5 + firstRoom;
        m_room =
            quint32(std::min(std::max(projected, atLeast), double(TokenSequence::maximumSize)));
        m_tokens.reserve(m_room);
    }

    // The class of the character that starts with a surrogate at position.
    quint8 classAt(qsizetype position, qsizetype &length) const
    {
        const cc::Character character = cc::characterAt(m_text, position);
        length = character.length;
        return classOf(character.codePoint);
    }

    // Past the units from position on that are so, looked at a stretch at a time between
    // checks for a stop: a text may be one line, or one word, of a billion units.
    template<typename IsSo> qsizetype pastUnits(qsizetype position, qsizetype end, IsSo isSo)
    {
        for (;;) {
            const qsizetype stretchEnd = std::min(end, position + stretchUnits);
            while (position < stretchEnd && isSo(m_units[position]))
                ++position;
            m_check();
            if (position < stretchEnd || stretchEnd == end)
                return position;
        }
    }

    // Whitespace and line breaks never lie outside the Basic Multilingual Plane.
    qsizetype skipped(qsizetype position, qsizetype end)
    {
        return pastUnits(position, end,
                         [this](char16_t unit) { return (m_plane.classes[unit] & Skipped) != 0; });
    }

    qsizetype lineEnd(qsizetype position, qsizetype end)
    {
        return pastUnits(position, end, [](char16_t unit) { return !cc::isLineBreak(unit); });
    }

    // Past the characters from position that are text and the same lower-cased.
    qsizetype plainRunEnd(qsizetype position, qsizetype end)
    {
        return pastUnits(position, end,
                         [this](char16_t unit) { return m_plane.classes[unit] == 0; });
    }

    // Reads characters of one line: within a line, whitespace separates tokens and a run
    // of punctuation is a token of its own.
    void readCharacters(qsizetype begin, qsizetype end)
    {
        for (qsizetype position = begin; position < end;) {
            m_check();
            const quint8 unitBits = m_plane.classes[m_units[position]];
            if (unitBits == 0) {
                // Most of a word's letters stay as they are: they go into it a run at once.
                if (m_in != In::Text)
                    startToken(In::Text, position);
                const qsizetype runEnd = plainRunEnd(position + 1, end);
                appendAsItIs(position, runEnd);
                position = runEnd;
                continue;
            }
            qsizetype length = 1;
            const quint8 bits = (unitBits & Surrogate) ? classAt(position, length) : unitBits;
            const In now = (bits & Punctuation)  ? In::Punctuation
                           : (bits & Whitespace) ? In::Nothing
                                                 : In::Text;
            if (now != m_in)
                startToken(now, position);
            if (now != In::Nothing)
                appendLowered(position, length, bits);
            position += length;
        }
    }

    void appendLowered(qsizetype position, qsizetype length, quint8 bits)
    {
        const char16_t unit = m_units[position];
        if (!(bits & ChangesWhenLowered)) {
            appendAsItIs(position, position + length);
        } else if (length == 1 && m_plane.lowered[unit] != 0) {
            appendChanged(&m_plane.lowered[unit], 1, position + 1);
        } else if (unit == capitalSigma) {
            // A final sigma ends a word: a cased letter before it and none after.
            const bool final =
                casedLetterBefore(m_text, position) && !casedLetterAfter(m_text, position + 1);
            const char16_t sigma = final ? u'\u03C2' : u'\u03C3';
            appendChanged(&sigma, 1, position + 1);
        } else {
            UChar lowered[8];
            UErrorCode status = U_ZERO_ERROR;
            const int32_t written =
                u_strToLower(lowered, 8, reinterpret_cast<const UChar *>(m_units) + position,
                             int32_t(length), "", &status);
            appendChanged(reinterpret_cast<const char16_t *>(lowered), std::size_t(written),
                          position + length);
        }
    }

    // Most tokens are the text's own units, lower-case already: they are looked up where
    // they stand, and copied only once lowering or a line-end hyphen makes them differ.
    void appendAsItIs(qsizetype begin, qsizetype end)
    {
        if (m_inText && begin == m_end) {
            m_end = end;
            return;
        }
        appendChanged(m_units + begin, std::size_t(end - begin), end);
    }

    void appendChanged(const char16_t *units, std::size_t count, qsizetype end)
    {
        if (m_inText) {
            m_changedAt = qsizetype(m_changed.size());
            m_changed.append(m_units + m_start, m_units + m_end);
            m_inText = false;
        }
        m_changed.append(units, count);
        m_end = end;
    }

    void startToken(In now, qsizetype position)
    {
        endToken();
        m_in = now;
        m_start = m_end = position;
        m_inText = true;
    }

    void endToken()
    {
        if (m_in != In::Nothing) {
            m_batchSpans[m_batched] = TextSpan{quint32(m_start), quint32(m_end)};
            m_changedAts[m_batched] = m_inText ? -1 : m_changedAt;
            m_changedEnds[m_batched] = qsizetype(m_changed.size());
            if (++m_batched == batchTokens)
                appendBatch();
        }
        m_in = In::Nothing;
    }

    // Tokens are looked up a batch at a time: the look-ups of one wait for memory while
    // the others' go on.
    void appendBatch()
    {
        std::array<QStringView, batchTokens> tokens;
        for (int index = 0; index < m_batched; ++index) {
            const TextSpan span = m_batchSpans[index];
            const qsizetype changedAt = m_changedAts[index];
            tokens[index] = changedAt < 0 ? QStringView(m_units + span.begin, span.end - span.begin)
                                          : QStringView(m_changed.data() + changedAt,
                                                        m_changedEnds[index] - changedAt);
        }
        m_tokens.append(std::span(tokens.data(), std::size_t(m_batched)),
                        std::span(m_batchSpans.data(), std::size_t(m_batched)));
        m_batched = 0;
        m_changed.clear();
    }

    QStringView m_text;
    const char16_t *m_units;
    const BasicPlane &m_plane;
    StopCheck m_check;
    TokenSequence m_tokens;
    In m_in = In::Nothing;
    qsizetype m_start = 0; // where the current token starts in the text
    qsizetype m_end = 0;   // past its last character so far
    // Whether the current token is the text's [m_start, m_end) as it stands; if not, it
    // is m_changed from m_changedAt on.
    bool m_inText = true;
    qsizetype m_changedAt = 0;
    // The tokens of the batch that differ from the text, lower-cased, one after another.
    std::u16string m_changed;
    // The tokens ended and not yet appended: their places, and where those that differ
    // from the text stand in m_changed (-1 for none).
    static constexpr int batchTokens = TokenSequence::batchTokens;
    std::array<TextSpan, batchTokens> m_batchSpans;
    std::array<qsizetype, batchTokens> m_changedAts;
    std::array<qsizetype, batchTokens> m_changedEnds;
    int m_batched = 0;
    qsizetype m_begin = 0;
    quint32 m_room = 0; // the tokens there is room for
};

// Below this many code units a second thread costs more than it saves.
constexpr qsizetype halvedTexts = 1 << 20;

// Where a text can be cut in two parts read on their own: a line break after the middle
// that ends a line with a space join, not a hyphen one. Then the second part's first
// line is a later line, and neither part's tokens run into the other's.
qsizetype halvingPoint(QStringView text)
{
    for (qsizetype position = text.size() / 2; position < text.size(); ++position) {
        if (!cc::isLineBreak(text[position].unicode()))
            continue;
        const char16_t before = text[position - 1].unicode();
        if (before != u'-' && !cc::isSkipped(before))
            return position;
    }
    return text.size();
}

} // namespace

TokenSequence tokenise(QStringView text, std::stop_token stop)
{
    if (text.size() > 0xFFFFFFFF)
        throw std::length_error("text of 2^32 code units or more");
    const qsizetype middle = text.size() < halvedTexts ? text.size() : halvingPoint(text);
    if (middle == text.size())
        return PartReader(text, stop).read(0, text.size(), true);
    TokenSequence tokens;
    TokenSequence laterHalf;
    alongside([&] { tokens = PartReader(text, stop).read(0, middle, true); },
              [&] { laterHalf = PartReader(text, stop).read(middle, text.size(), false); });
    tokens.append(std::move(laterHalf));
    return tokens;
}

TokenSequence tokenise(QStringView text, std::span<const TextSpan> files, std::stop_token stop)
{
    if (text.size() > 0xFFFFFFFF)
        throw std::length_error("text of 2^32 code units or more");
    if (files.size() < 2)
        return tokenise(text, stop);
    if (text.size() < halvedTexts)
        return PartReader(text, stop).readFiles(files);
    // The files are shared out between the two threads whole, about half the text each.
    std::size_t middle = 1;
    while (middle + 1 < files.size() && files[middle].end <= text.size() / 2)
        ++middle;
    TokenSequence tokens;
    TokenSequence laterFiles;
    alongside([&] { tokens = PartReader(text, stop).readFiles(files.first(middle)); },
              [&] { laterFiles = PartReader(text, stop).readFiles(files.subspan(middle)); });
    tokens.append(std::move(laterFiles));
    return tokens;
}
