#include "TokenSequence.h"

#include "BothCores.h"
#include "HugePages.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <functional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

TooManyTokens::TooManyTokens()
    : std::length_error("more than 2,147,483,647 tokens")
{}

namespace {

TokenSequence::Kind kindOf(QStringView token)
{
    if (token == u"."_s)
        return TokenSequence::Kind::FullStop;
    if (token == u"?"_s || token == u"!"_s)
        return TokenSequence::Kind::QuestionOrExclamation;
    return TokenSequence::Kind::Ordinary;
}

// Inline, unlike QString's comparison: every token of a text is looked up, and its
// word, once the hashes agree, is nearly always it.
bool sameUnits(QStringView word, QStringView token)
{
    if (word.size() != token.size())
        return false;
    const QChar *wordUnits = word.data();
    const QChar *tokenUnits = token.data();
    for (qsizetype index = 0; index < token.size(); ++index) {
        if (wordUnits[index] != tokenUnits[index])
            return false;
    }
    return true;
}

} // namespace

quint32 TokenSequence::hashOf(QStringView word)
{
    quint64 hash = 0x9E3779B97F4A7C15ull;
    for (const QChar unit : word)
        hash = (hash ^ unit.unicode()) * 0xFF51AFD7ED558CCDull;
    return quint32(hash >> 32);
}

std::size_t TokenSequence::slotOf(QStringView word, quint32 hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const quint64 entry = m_slots[slot];
        if (entry == 0)
            return slot;
        if (quint32(entry >> 32) == hash && sameUnits(unitsOf(quint32(entry) - 1), word))
            return slot;
    }
}

std::optional<quint32> TokenSequence::idOf(QStringView word) const
{
    const quint64 entry = m_slots[slotOf(word, hashOf(word))];
    if (entry == 0)
        return std::nullopt;
    return quint32(entry) - 1;
}

quint32 TokenSequence::idFor(QStringView word, quint32 hash)
{
    const std::size_t slot = slotOf(word, hash);
    if (m_slots[slot] != 0)
        return quint32(m_slots[slot]) - 1;
    const auto id = quint32(m_words.size());
    m_words.append(word.toString());
    m_wordUnits.insert(m_wordUnits.end(), word.utf16(), word.utf16() + word.size());
    m_wordEnds.push_back(m_wordUnits.size());
    m_kinds.push_back(kindOf(word));
    m_slots[slot] = (quint64(hash) << 32) | (id + 1);
    // At most half full, so probes stay short.
    if (m_words.size() * 2 > qsizetype(m_slots.size()))
        grow();
    return id;
}

void TokenSequence::append(std::span<const QStringView> tokens, std::span<const TextSpan> spans)
{
    Q_ASSERT(!m_readsBackward && (m_size == 0 || !isPacked()));
    Q_ASSERT(tokens.size() == spans.size() && tokens.size() <= batchTokens);
    if (tokens.size() > maximumSize - m_size)
        throw TooManyTokens();
    // The slots and the words they lead to are asked for ahead, all at once.
    std::array<quint32, batchTokens> hashes;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t index = 0; index < tokens.size(); ++index) {
        hashes[index] = hashOf(tokens[index]);
        __builtin_prefetch(&m_slots[hashes[index] & mask]);
    }
    for (std::size_t index = 0; index < tokens.size(); ++index) {
        const quint64 entry = m_slots[hashes[index] & mask];
        if (entry != 0 && quint32(entry >> 32) == hashes[index])
            __builtin_prefetch(&m_wordEnds[quint32(entry) - 1]);
    }
    for (std::size_t index = 0; index < tokens.size(); ++index) {
        m_plainIds.push_back(idFor(tokens[index], hashes[index]));
        m_spans.append(spans[index]);
    }
    m_size += quint32(tokens.size());
}

void TokenSequence::reserve(quint32 tokens)
{
    m_plainIds.reserve(tokens);
    // The index reads the ids at random.
    adviseHugePages(m_plainIds.data(), m_plainIds.capacity() * sizeof(quint32));
    m_spans.reserve(tokens);
}

void TokenSequence::append(const TokenSequence &later)
{
    // Later words new here get their ids in the order they first occur there, as they
    // would have in one pass.
    std::vector<quint32> idHere;
    idHere.reserve(std::size_t(later.m_words.size()));
    for (const QString &word : later.m_words)
        idHere.push_back(idFor(word));
    if (later.size() > maximumSize - m_size)
        throw TooManyTokens();
    const std::size_t first = m_plainIds.size();
    reserve(quint32(first + later.size()));
    m_plainIds.resize(first + later.size());
    inTwoHalves(later.size(), [&](quint32 begin, quint32 end) {
        for (quint32 position = begin; position < end; ++position)
            m_plainIds[first + position] = idHere[later.idAt(position)];
    });
    m_spans.append(later.m_spans);
    for (const quint32 start : later.m_partStarts) {
        if (m_partStarts.empty() || m_partStarts.back() != m_size + start)
            m_partStarts.push_back(m_size + start);
    }
    m_size += later.size();
}

void TokenSequence::beginPart()
{
    Q_ASSERT(!m_readsBackward);
    if (m_partStarts.empty() || m_partStarts.back() != m_size)
        m_partStarts.push_back(m_size);
}

std::vector<quint32> TokenSequence::partStartsAsRead() const
{
    // While appending, files without tokens may still stand at the end.
    std::vector<quint32> starts;
    for (const quint32 start : m_partStarts) {
        if (start < m_size)
            starts.push_back(start);
    }
    if (starts.size() < 2)
        return {};
    if (!m_readsBackward)
        return starts;
    // Read backwards, a file begins where the one after it ended.
    std::vector<quint32> backward{0};
    for (auto start = starts.rbegin(); *start > 0; ++start)
        backward.push_back(m_size - *start);
    return backward;
}

void TokenSequence::settleParts()
{
    // Files without tokens at the end begin nothing; one part is no parts.
    while (!m_partStarts.empty() && m_partStarts.back() == m_size && m_size > 0)
        m_partStarts.pop_back();
    if (m_partStarts.size() == 1)
        m_partStarts.clear();
}

void TokenSequence::endAppending()
{
    // Not "= {}", which would keep their memory.
    m_wordUnits = std::vector<char16_t>();
    m_wordEnds = std::vector<quint64>();
}

std::vector<quint32> TokenSequence::takeIds()
{
    endAppending();
    if (!isPacked() && !m_readsBackward)
        return std::exchange(m_plainIds, {});
    std::vector<quint32> ids(m_size);
    for (quint32 position = 0; position < m_size; ++position)
        ids[position] = idAt(position);
    return ids;
}

void TokenSequence::noteSentenceEnds(const std::vector<quint32> &ids)
{
    // The words before share the text's.
    if (m_readsBackward || (m_size > 0 && m_ends.size() == m_size))
        return;
    Q_ASSERT(ids.size() == m_size);
    std::vector<Kind> kinds(m_size);
    for (quint32 position = 0; position < m_size; ++position)
        kinds[position] = m_kinds[ids[position]];
    m_ends = SentenceEnds(kinds);
}

void TokenSequence::pack(std::vector<quint32> ids)
{
    if (m_readsBackward || (m_size > 0 && m_packedIds.size() == m_size))
        return;
    endAppending();
    noteSentenceEnds(ids);
    settleParts();
    m_packedIds = PackedInts(std::move(ids), PackedInts::widthFor(distinctCount() - 1));
    m_plainIds = {};
    m_spans.seal();
}

TokenSequence TokenSequence::reversed() const
{
    TokenSequence backward = *this;
    if (!backward.isPacked())
        backward.pack(backward.takeIds());
    backward.m_readsBackward = !m_readsBackward;
    return backward;
}

void TokenSequence::grow()
{
    std::vector<quint64> old(m_slots.size() * 2, 0);
    std::swap(old, m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const quint64 entry : old) {
        if (entry == 0)
            continue;
        std::size_t slot = (entry >> 32) & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

std::size_t TokenSequence::bytesUsed() const
{
    std::size_t bytes = 0;
    for (const auto &part : bytesByPart())
        bytes += part.second;
    return bytes;
}

QList<std::pair<QString, std::size_t>> TokenSequence::bytesByPart() const
{
    std::size_t words = m_slots.size() * sizeof(quint64) + m_kinds.size() * sizeof(Kind) +
                        m_wordUnits.capacity() * sizeof(char16_t) +
                        m_wordEnds.capacity() * sizeof(quint64);
    for (const QString &word : m_words)
        words += sizeof(QString) + std::size_t(word.size()) * sizeof(char16_t);
    return {{u"token ids"_s, m_plainIds.size() * sizeof(quint32) + m_packedIds.bytesUsed()},
            {u"places in the text"_s, m_spans.bytesUsed()},
            {u"sentence ends"_s, m_ends.bytesUsed()},
            {u"distinct words"_s, words},
            {u"files' starts"_s, m_partStarts.capacity() * sizeof(quint32)}};
}

void TokenSequence::writeTo(SectionWriter &writer) const
{
    Q_ASSERT(isPacked() && !m_readsBackward);
    std::vector<quint32> wordEnds;
    wordEnds.reserve(std::size_t(m_words.size()));
    std::vector<char16_t> characters;
    for (const QString &word : m_words) {
        characters.insert(characters.end(), word.utf16(), word.utf16() + word.size());
        wordEnds.push_back(quint32(characters.size()));
    }
    writer.writeValue(m_size);
    writer.write(std::span<const char16_t>(characters));
    writer.write(std::span<const quint32>(wordEnds));
    writer.write(std::span<const Kind>(m_kinds));
    writer.write(std::span<const quint64>(m_slots));
    m_packedIds.writeTo(writer);
    m_spans.writeTo(writer);
    m_ends.writeTo(writer);
    writer.write(std::span<const quint32>(m_partStarts));
}

TokenSequence TokenSequence::readFrom(SectionReader &reader, quint32 textLength)
{
    TokenSequence tokens;
    tokens.m_size = reader.readValue<quint32>();
    const Stored<char16_t> characters = reader.read<char16_t>();
    const Stored<quint32> wordEnds = reader.read<quint32>();
    const Stored<Kind> kinds = reader.read<Kind>();
    const Stored<quint64> slotTable = reader.read<quint64>();
    const auto distinct = quint32(wordEnds.size());
    if (kinds.size() != distinct || slotTable.size() < 2 * std::size_t(distinct) ||
        !std::has_single_bit(slotTable.size()) || tokens.m_size > maximumSize)
        throw DamagedSections();
    tokens.m_words.reserve(distinct);
    quint32 start = 0;
    for (const quint32 end : wordEnds) {
        if (end < start || end > characters.size())
            throw DamagedSections();
        // Copied, not viewed in place: copies of a word (the cloud's, a tree's) outlive the
        // index, and with it the mapping of its file.
        tokens.m_words.append(QString(reinterpret_cast<const QChar *>(characters.data() + start),
                                      qsizetype(end - start)));
        start = end;
    }
    for (const Kind kind : kinds) {
        if (quint8(kind) > quint8(Kind::QuestionOrExclamation))
            throw DamagedSections();
    }
    tokens.m_kinds.assign(kinds.begin(), kinds.end());
    // Each word in one slot, so that a search ends at an empty one.
    std::vector<bool> slotted(distinct, false);
    for (const quint64 slot : slotTable) {
        if (slot == 0)
            continue;
        const quint32 id = quint32(slot) - 1;
        if (id >= distinct || slotted[id])
            throw DamagedSections();
        slotted[id] = true;
    }
    if (std::ranges::find(slotted, false) != slotted.end())
        throw DamagedSections();
    tokens.m_slots.assign(slotTable.begin(), slotTable.end());
    tokens.m_packedIds = PackedInts::readFrom(reader);
    tokens.m_spans = SpanList::readFrom(reader, textLength);
    tokens.m_ends = SentenceEnds::readFrom(reader);
    const Stored<quint32> partStarts = reader.read<quint32>();
    // Walks are cut at these: they must begin at 0 and go up within the tokens.
    if (partStarts.size() == 1 || (!partStarts.empty() && partStarts[0] != 0) ||
        std::adjacent_find(partStarts.begin(), partStarts.end(), std::greater_equal<>()) !=
            partStarts.end() ||
        (!partStarts.empty() && partStarts[partStarts.size() - 1] >= tokens.m_size))
        throw DamagedSections();
    tokens.m_partStarts.assign(partStarts.begin(), partStarts.end());
    if (tokens.m_packedIds.size() != tokens.m_size || tokens.m_spans.size() != tokens.m_size ||
        tokens.m_ends.size() != tokens.m_size ||
        (distinct > 0 && tokens.m_packedIds.width() != PackedInts::widthFor(distinct - 1)))
        throw DamagedSections();
    // Checked with the ends, in one pass over the ids.
    std::atomic<bool> agree = true;
    const quint32 words = (tokens.m_size + 63) / 64;
    inTwoHalves(words, 64, [&](quint32 begin, quint32 end) {
        bool idsOfWords = true;
        const bool endsAtTheirWords = tokens.m_ends.standWhere(
            [&](quint32 position) {
                const quint32 id = tokens.m_packedIds[position];
                idsOfWords = idsOfWords && id < distinct;
                return id < distinct ? tokens.m_kinds[id] : Kind::Ordinary;
            },
            begin * 64, std::min(end * 64, tokens.m_size));
        if (!idsOfWords || !endsAtTheirWords)
            agree = false;
    });
    if (!agree)
        throw DamagedSections();
    // The words' characters are views of the file's memory, which this keeps.
    tokens.m_wordsKeeper = characters.keeper();
    return tokens;
}
