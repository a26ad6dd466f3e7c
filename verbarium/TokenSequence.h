#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// The prepared text cut into tokens once, each token replaced by the id of its distinct
// string, so that walks compare numbers instead of strings.
class TokenSequence
{
public:
    enum class Kind : quint8 { Ordinary, FullStop, QuestionOrExclamation };

    quint32 size() const { return quint32(m_ids.size()); }
    const std::vector<quint32> &ids() const { return m_ids; }
    // Scratch space for sorting, which must leave the ids as they were.
    std::vector<quint32> &idsToSort() { return m_ids; }
    quint32 distinctCount() const { return quint32(m_words.size()); }
    const QString &wordAt(quint32 position) const { return m_words[m_ids[position]]; }
    Kind kindAt(quint32 position) const { return m_kinds[m_ids[position]]; }
    std::optional<quint32> idOf(QStringView word) const;

    // Appends a token, giving a new word the next id.
    void append(QStringView token);
    // Appends the tokens of a later part of the same text, tokenised on their own.
    void append(const TokenSequence &later);

    std::size_t bytesUsed() const;

private:
    // The word's id, a new one for a word not seen yet.
    quint32 idFor(QStringView word);
    static quint32 hashOf(QStringView word);
    // The slot that holds word, or the empty slot where it would go.
    std::size_t slotOf(QStringView word, quint32 hash) const;
    void grow();

    QList<QString> m_words;     // by id
    std::vector<Kind> m_kinds;  // by id
    std::vector<quint32> m_ids; // the tokens in text order
    // Open addressing: each slot holds a word's hash (high half) and id + 1 (low half),
    // 0 when empty. Cheaper than a node-based map on the million tokens of a long text.
    std::vector<quint64> m_slots = std::vector<quint64>(1024, 0);
};

// The tokens trees grow from: those of the tree text with every run of punctuation set
// apart by spaces (makeSpaces), lower-cased again. A token is what follows the skipped
// characters (whitespace and line breaks) up to the next whitespace. Made in one pass,
// without the spaced text; a long text's two halves on two threads.
TokenSequence tokenise(QStringView treeText);
