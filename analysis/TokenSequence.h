#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <stdexcept>
#include <vector>

// More tokens than the index can number: its suffix sorting keeps a mark in the top bit
// of every position.
class TooManyTokens : public std::length_error
{
public:
    TooManyTokens();
};

// Where a token stands in the text it was read from, in UTF-16 code units: from its
// first character to past its last. A token joined across a line-end hyphen spans the
// hyphen and the line break too.
struct TextSpan
{
    quint32 begin = 0;
    quint32 end = 0;
    bool operator==(const TextSpan &) const = default;
};

// The tokens of a text, each replaced by the id of its distinct string, so that walks
// compare numbers instead of strings, and each with where it stands in the text, so that
// the text behind a tree can be shown.
class TokenSequence
{
public:
    enum class Kind : quint8 { Ordinary, FullStop, QuestionOrExclamation };

    static constexpr quint32 maximumSize = 0x7FFFFFFFu;

    quint32 size() const { return quint32(m_ids.size()); }
    const std::vector<quint32> &ids() const { return m_ids; }
    // Scratch space for sorting, which must leave the ids as they were.
    std::vector<quint32> &idsToSort() { return m_ids; }
    quint32 distinctCount() const { return quint32(m_words.size()); }
    const QString &word(quint32 id) const { return m_words[id]; }
    const QString &wordAt(quint32 position) const { return m_words[m_ids[position]]; }
    Kind kindAt(quint32 position) const { return m_kinds[m_ids[position]]; }
    TextSpan textSpanAt(quint32 position) const { return m_textSpans[position]; }
    std::optional<quint32> idOf(QStringView word) const;

    // Appends a token that stands at span, giving a new word the next id. Throws
    // TooManyTokens past maximumSize.
    void append(QStringView token, TextSpan span);
    // Appends the tokens of a later part of the same text, tokenised on their own.
    void append(const TokenSequence &later);

    // The same tokens from the last to the first, for the words that come before a word.
    // It keeps no spans: this sequence's, read backwards, serve.
    TokenSequence reversed() const;
    // Whether the sequence is the text's tokens reversed.
    bool readsBackward() const { return m_readsBackward; }

    std::size_t bytesUsed() const;

private:
    // The word's id, a new one for a word not seen yet.
    quint32 idFor(QStringView word);
    static quint32 hashOf(QStringView word);
    // The slot that holds word, or the empty slot where it would go.
    std::size_t slotOf(QStringView word, quint32 hash) const;
    void grow();

    QList<QString> m_words;            // by id
    std::vector<Kind> m_kinds;         // by id
    std::vector<quint32> m_ids;        // the tokens in text order
    std::vector<TextSpan> m_textSpans; // by position
    bool m_readsBackward = false;
    // Open addressing: each slot holds a word's hash (high half) and id + 1 (low half),
    // 0 when empty. Cheaper than a node-based map on the million tokens of a long text.
    std::vector<quint64> m_slots = std::vector<quint64>(1024, 0);
};
