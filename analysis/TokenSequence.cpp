#include "TokenSequence.h"

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
        if (quint32(entry >> 32) == hash && m_words[quint32(entry) - 1] == word)
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

quint32 TokenSequence::idFor(QStringView word)
{
    const quint32 hash = hashOf(word);
    const std::size_t slot = slotOf(word, hash);
    if (m_slots[slot] != 0)
        return quint32(m_slots[slot]) - 1;
    const auto id = quint32(m_words.size());
    m_words.append(word.toString());
    m_kinds.push_back(kindOf(word));
    m_slots[slot] = (quint64(hash) << 32) | (id + 1);
    // At most half full, so probes stay short.
    if (m_words.size() * 2 > qsizetype(m_slots.size()))
        grow();
    return id;
}

void TokenSequence::append(QStringView token, TextSpan span)
{
    if (m_ids.size() == maximumSize)
        throw TooManyTokens();
    m_ids.push_back(idFor(token));
    m_textSpans.push_back(span);
}

void TokenSequence::append(const TokenSequence &later)
{
    // Later words new here get their ids in the order they first occur there, as they
    // would have in one pass.
    std::vector<quint32> idHere;
    idHere.reserve(std::size_t(later.m_words.size()));
    for (const QString &word : later.m_words)
        idHere.push_back(idFor(word));
    if (later.m_ids.size() > maximumSize - m_ids.size())
        throw TooManyTokens();
    m_ids.reserve(m_ids.size() + later.m_ids.size());
    for (const quint32 id : later.m_ids)
        m_ids.push_back(idHere[id]);
    m_textSpans.insert(m_textSpans.end(), later.m_textSpans.begin(), later.m_textSpans.end());
}

TokenSequence TokenSequence::reversed() const
{
    TokenSequence backward;
    backward.m_words = m_words;
    backward.m_kinds = m_kinds;
    backward.m_slots = m_slots;
    backward.m_ids.assign(m_ids.rbegin(), m_ids.rend());
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
    std::size_t bytes = m_ids.size() * sizeof(quint32) + m_textSpans.size() * sizeof(TextSpan) +
                        m_slots.size() * sizeof(quint64) + m_kinds.size() * sizeof(Kind);
    for (const QString &word : m_words)
        bytes += sizeof(QString) + std::size_t(word.size()) * sizeof(char16_t);
    return bytes;
}
