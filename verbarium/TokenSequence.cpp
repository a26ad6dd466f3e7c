#include "TokenSequence.h"

#include "CharacterClasses.h"
#include "LowerCase.h"

#include <array>
#include <future>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the tokeniser needs to know of a character, as bits.
enum Class : quint8 {
    Punctuation = 1,
    Whitespace = 2, // ends a token
    Skipped = 4,    // passed over before a token: whitespace and line breaks
    ChangesWhenLowered = 8,
};

quint8 classOf(char32_t c)
{
    quint8 bits = 0;
    if (CharacterClasses::isPunctuation(c))
        bits |= Punctuation;
    if (CharacterClasses::isWhitespace(c))
        bits |= Whitespace;
    if (CharacterClasses::isSkipped(c))
        bits |= Skipped;
    if (changesWhenLowerCased(c))
        bits |= ChangesWhenLowered;
    return bits;
}

// Every character of a long text is looked at: the Basic Multilingual Plane is
// answered from a table filled once.
const std::array<quint8, 0x10000> &basicPlaneClasses()
{
    static const auto classes = [] {
        std::array<quint8, 0x10000> table{};
        for (char32_t c = 0; c < 0x10000; ++c)
            table[c] = classOf(c);
        return table;
    }();
    return classes;
}

TokenSequence::Kind kindOf(QStringView token)
{
    if (token == u"."_s)
        return TokenSequence::Kind::FullStop;
    if (token == u"?"_s || token == u"!"_s)
        return TokenSequence::Kind::QuestionOrExclamation;
    return TokenSequence::Kind::Ordinary;
}

// Lower-casing the whole spaced text or each token alone gives the same: the spaces
// between tokens end every context a mapping looks at.
void appendLowered(TokenSequence &tokens, QStringView token, bool needsLowering)
{
    if (needsLowering)
        tokens.append(lowerCased(token));
    else
        tokens.append(token);
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

void TokenSequence::append(QStringView token)
{
    m_ids.push_back(idFor(token));
}

void TokenSequence::append(const TokenSequence &later)
{
    // Later words new here get their ids in the order they first occur there, as they
    // would have in one pass.
    std::vector<quint32> idHere;
    idHere.reserve(std::size_t(later.m_words.size()));
    for (const QString &word : later.m_words)
        idHere.push_back(idFor(word));
    m_ids.reserve(m_ids.size() + later.m_ids.size());
    for (const quint32 id : later.m_ids)
        m_ids.push_back(idHere[id]);
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
    std::size_t bytes = m_ids.size() * sizeof(quint32) + m_slots.size() * sizeof(quint64) +
                        m_kinds.size() * sizeof(Kind);
    for (const QString &word : m_words)
        bytes += sizeof(QString) + std::size_t(word.size()) * sizeof(char16_t);
    return bytes;
}

namespace {

// One pass over the characters. Outside a token whitespace and line breaks are passed
// over; a run of punctuation is a token of its own, as makeSpaces sets it apart; any
// other run goes up to the next whitespace or punctuation, line breaks included.
TokenSequence tokenisePart(QStringView treeText)
{
    enum class In { Nothing, Text, Punctuation };
    const auto &classes = basicPlaneClasses();
    TokenSequence tokens;
    In in = In::Nothing;
    qsizetype start = 0;
    bool needsLowering = false;
    const qsizetype size = treeText.size();
    for (qsizetype position = 0; position < size;) {
        const char16_t unit = treeText[position].unicode();
        quint8 bits;
        qsizetype length = 1;
        if (!QChar::isSurrogate(unit)) {
            bits = classes[unit];
        } else {
            const auto character = CharacterClasses::characterAt(treeText, position);
            length = character.length;
            bits = classOf(character.codePoint);
        }
        const In now = (bits & Punctuation)  ? In::Punctuation
                       : (bits & Whitespace) ? In::Nothing
                       : (bits & Skipped)    ? (in == In::Text ? In::Text : In::Nothing)
                                             : In::Text;
        if (now != in) {
            if (in != In::Nothing)
                appendLowered(tokens, treeText.sliced(start, position - start), needsLowering);
            in = now;
            start = position;
            needsLowering = false;
        }
        needsLowering |= (bits & ChangesWhenLowered) != 0;
        position += length;
    }
    if (in != In::Nothing)
        appendLowered(tokens, treeText.sliced(start, size - start), needsLowering);
    return tokens;
}

// Below this many code units a second thread costs more than it saves.
constexpr qsizetype halvedTexts = 1 << 20;

} // namespace

TokenSequence tokenise(QStringView treeText)
{
    // Whitespace ends every token, whatever came before it: the halves can be cut there.
    const auto &classes = basicPlaneClasses();
    qsizetype middle = treeText.size() / 2;
    while (middle < treeText.size() && !(classes[treeText[middle].unicode()] & Whitespace))
        ++middle;
    if (treeText.size() < halvedTexts || middle == treeText.size())
        return tokenisePart(treeText);
    auto laterHalf = std::async(std::launch::async,
                                [later = treeText.sliced(middle)] { return tokenisePart(later); });
    TokenSequence tokens = tokenisePart(treeText.first(middle));
    tokens.append(laterHalf.get());
    return tokens;
}
