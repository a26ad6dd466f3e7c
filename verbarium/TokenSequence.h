#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// The key under which a word's id is kept.
inline std::u16string_view hashKeyOf(QStringView word)
{
    return {word.utf16(), std::size_t(word.size())};
}

// The prepared text cut into tokens once, each token replaced by the id of its distinct
// string, so that walks compare numbers instead of strings.
struct TokenSequence
{
    enum class Kind : quint8 { Ordinary, FullStop, QuestionOrExclamation };

    QList<QString> words;     // by id
    std::vector<Kind> kinds;  // by id
    std::vector<quint32> ids; // the tokens in text order
    // Views into words. The standard hash is much cheaper than Qt's on the million
    // short tokens of a long text.
    std::unordered_map<std::u16string_view, quint32> idOfWord;

    quint32 size() const { return quint32(ids.size()); }
    Kind kindAt(quint32 position) const { return kinds[ids[position]]; }
    const QString &wordAt(quint32 position) const { return words[ids[position]]; }
    std::optional<quint32> idOf(QStringView word) const
    {
        const auto found = idOfWord.find(hashKeyOf(word));
        if (found == idOfWord.end())
            return std::nullopt;
        return found->second;
    }
};

// Sets every run of punctuation apart from the text around it: each scan appends the
// text piece, a space, the punctuation piece and a space.
QString makeSpaces(QStringView text);

// The text that trees grow from: the tree text after makeSpaces, lower-cased again.
QString preparedText(QStringView treeText);

// The tokens of the prepared text of treeText: its maximal runs of characters that are
// not whitespace.
TokenSequence tokenise(QStringView treeText);
