#include "TextPlaces.h"

#include "CharacterClasses.h"
#include "StopCheck.h"

#include <algorithm>

TextPlaces::TextPlaces(const TextFile &file, const QString &sourceName, std::stop_token stop)
    : m_text(file.text)
    , m_files(file.parts)
{
    if (m_files.empty())
        m_files.push_back({sourceName, 0, quint32(file.text.size()), file.bytesBeforeText});
    m_checkpoints.reserve(std::size_t(m_text.size() / checkpointDistance + 1));
    Counts counts;
    StopCheck stopCheck(std::move(stop));
    // Up to the text's end itself, where a context may end.
    for (qsizetype start = 0; start <= m_text.size(); start += checkpointDistance) {
        stopCheck();
        m_checkpoints.push_back(counts);
        const Counts here = countsOf(start, std::min(start + checkpointDistance, m_text.size()));
        counts.bytes += here.bytes;
        counts.lineBreaks += here.lineBreaks;
    }
}

// A surrogate pair is four bytes, two for each half; a line feed after a carriage return
// ends no line of its own.
TextPlaces::Counts TextPlaces::countsOf(qsizetype begin, qsizetype end) const
{
    Counts counts;
    char16_t before = begin > 0 ? m_text[begin - 1].unicode() : 0;
    for (qsizetype position = begin; position < end; ++position) {
        const char16_t value = m_text[position].unicode();
        counts.bytes += 1 + (value >= 0x80) + (value >= 0x800 && !QChar::isSurrogate(value));
        counts.lineBreaks +=
            CharacterClasses::isLineBreak(value) && !(value == u'\n' && before == u'\r');
        before = value;
    }
    return counts;
}

TextPlaces::Counts TextPlaces::countsBefore(qsizetype position) const
{
    const qsizetype checkpoint = position / checkpointDistance;
    const qsizetype checkpointStart = checkpoint * checkpointDistance;
    Counts counts = m_checkpoints[std::size_t(checkpoint)];
    const Counts rest = countsOf(checkpointStart, position);
    counts.bytes += rest.bytes;
    counts.lineBreaks += rest.lineBreaks;
    return counts;
}

const TextPart &TextPlaces::fileOf(qsizetype position) const
{
    const auto after = std::upper_bound(
        m_files.begin(), m_files.end(), position,
        [](qsizetype place, const TextPart &file) { return place < qsizetype(file.start); });
    return after == m_files.begin() ? *after : *(after - 1);
}

FilePlace TextPlaces::placeOf(qsizetype position) const
{
    const TextPart &file = fileOf(position);
    const Counts atStart = countsBefore(file.start);
    const Counts here = countsBefore(position);
    return {&file, qint64(here.lineBreaks - atStart.lineBreaks) + 1,
            qint64(here.bytes - atStart.bytes) + file.bytesBeforeText};
}

TextSpan TextPlaces::fileSpanOf(qsizetype position) const
{
    const TextPart &file = fileOf(position);
    return {file.start, file.start + file.length};
}
