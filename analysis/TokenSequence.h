#pragma once

#include "PackedInts.h"
#include "SectionFile.h"
#include "SentenceEnds.h"
#include "SpanList.h"
#include "Stored.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

// More tokens than the index can number: its suffix sorting keeps a mark in the top bit
// of every position.
class TooManyTokens : public std::length_error
{
public:
    TooManyTokens();
};

// The tokens of a text, each replaced by the id of its distinct string, so that walks
// compare numbers instead of strings, and each with where it stands in the text, so that
// the text behind a tree can be shown.
//
// While tokens are appended the ids are a plain array; pack() then keeps each in the
// bits the largest needs and notes the sentence ends, and copies share what is packed.
class TokenSequence
{
public:
    using Kind = SentenceEnds::Kind;

    static constexpr quint32 maximumSize = 0x7FFFFFFFu;

    quint32 size() const { return m_size; }
    // The id of the token at position, in reading order.
    quint32 idAt(quint32 position) const
    {
        const quint32 inText = m_readsBackward ? m_size - 1 - position : position;
        return m_plainIds.empty() ? m_packedIds[inText] : m_plainIds[inText];
    }
    quint32 distinctCount() const { return quint32(m_words.size()); }
    const QString &word(quint32 id) const { return m_words[id]; }
    const QString &wordAt(quint32 position) const { return m_words[idAt(position)]; }
    Kind kindAt(quint32 position) const { return m_kinds[idAt(position)]; }
    // Where the token at position stands in the text (for the words before, the token
    // read at that position backwards).
    TextSpan textSpanAt(quint32 position) const
    {
        return m_spans[m_readsBackward ? m_size - 1 - position : position];
    }
    std::optional<quint32> idOf(QStringView word) const;

    // Appends tokens that stand at spans, at most batchTokens of them, giving a new word
    // the next id. Throws TooManyTokens past maximumSize.
    static constexpr int batchTokens = 64;
    void append(std::span<const QStringView> tokens, std::span<const TextSpan> spans);
    void append(QStringView token, TextSpan span) { append({&token, 1}, {&span, 1}); }
    // Makes room for so many tokens in all, the ids and their places.
    void reserve(quint32 tokens);
    // Appends the tokens of a later part of the same text, tokenised on their own (with
    // the parts they begin, if any). Once: neither sequence may be such a join already.
    void append(const TokenSequence &later);
    // The tokens appended from now on are a file's of their own: no walk runs from the
    // ones before into them.
    void beginPart();

    // Where each file of a corpus begins among the tokens, in text order: the first at
    // 0, each later one past the last token of the one before; a file without tokens has
    // none. Empty for a single text, which is one part.
    std::span<const quint32> partStarts() const { return m_partStarts; }
    // The same in reading order (for the words before, the files' ends read backwards);
    // empty for one file with tokens.
    std::vector<quint32> partStartsAsRead() const;

    // The ids in reading order as a plain array, for sorting: a sequence not packed
    // yet hands over its own and must get them back through pack().
    std::vector<quint32> takeIds();
    // Notes where the sentence ends stand from the ids that takeIds() gave, then packs
    // them (a packed sequence only drops them). Appending ends here.
    void noteSentenceEnds(const std::vector<quint32> &ids);
    void pack(std::vector<quint32> ids);
    bool isPacked() const { return m_plainIds.empty(); }
    // Where the sentence ends stand; known once noted, or packed.
    const SentenceEnds &sentenceEnds() const { return m_ends; }

    // The same tokens from the last to the first, for the words that come before a word,
    // sharing this sequence's packed ids and spans.
    TokenSequence reversed() const;
    // Whether the sequence is the text's tokens reversed.
    bool readsBackward() const { return m_readsBackward; }

    std::size_t bytesUsed() const;
    // What each part takes: the ids, the spans, the sentence ends, the distinct words and
    // the files' starts.
    QList<std::pair<QString, std::size_t>> bytesByPart() const;

    // A packed sequence read in text order.
    void writeTo(SectionWriter &writer) const;
    // The sequence of a text of textLength code units. Throws DamagedSections unless the
    // sections hold one whose every part agrees with the others: each id a word's, each
    // word found in its slot, the sentence ends where their words stand, the places in
    // order within the text.
    static TokenSequence readFrom(SectionReader &reader, quint32 textLength);

private:
    // The word's id, a new one for a word not seen yet.
    quint32 idFor(QStringView word) { return idFor(word, hashOf(word)); }
    quint32 idFor(QStringView word, quint32 hash);
    static quint32 hashOf(QStringView word);
    // The slot that holds word, or the empty slot where it would go.
    std::size_t slotOf(QStringView word, quint32 hash) const;
    QStringView unitsOf(quint32 id) const
    {
        if (m_wordEnds.empty())
            return m_words[id];
        const quint64 begin = id == 0 ? 0 : m_wordEnds[id - 1];
        return QStringView(m_wordUnits.data() + begin, qsizetype(m_wordEnds[id] - begin));
    }
    // Drops what only appending needs.
    void endAppending();
    void grow();
    // Drops the starts that begin nothing.
    void settleParts();

    QList<QString> m_words; // by id
    // While appending, the words' units again, one after another, and where each ends, by
    // id: every token is looked up, and these stay in the processor's caches where the
    // words' own strings, each on its own in memory, do not.
    std::vector<char16_t> m_wordUnits;
    std::vector<quint64> m_wordEnds;
    std::vector<Kind> m_kinds;       // by id
    std::vector<quint32> m_plainIds; // the tokens in text order while appending...
    PackedInts m_packedIds;          // ...and once packed
    SpanList m_spans;                // by position in the text
    SentenceEnds m_ends;
    std::vector<quint32> m_partStarts; // in text order; empty for one part
    quint32 m_size = 0;
    bool m_readsBackward = false;
    // Open addressing: each slot holds a word's hash (high half) and id + 1 (low half),
    // 0 when empty. Cheaper than a node-based map on the million tokens of a long text.
    std::vector<quint64> m_slots = std::vector<quint64>(1024, 0);
    // Holds the memory of words read from an index file.
    std::shared_ptr<const void> m_wordsKeeper;
};
