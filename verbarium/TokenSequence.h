#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// The prepared text cut into tokens once, each token replaced by the id of its
// distinct string, so that walks compare numbers instead of strings.
struct TokenSequence
{
    enum class Kind : quint8 { Ordinary, FullStop, QuestionOrExclamation };

    QString preparedText;
    QList<QString> words;     // by id
    std::vector<Kind> kinds;  // by id
    std::vector<quint32> ids; // the tokens in text order
    // Views into preparedText. The standard hash is much cheaper than Qt's on
    // the million short tokens of a long text.
    std::unordered_map<std::u16string_view, quint32> idOfWord;

    quint32 size() const { return quint32(ids.size()); }
    Kind kindAt(quint32 position) const { return kinds[ids[position]]; }
    std::optional<quint32> idOf(QStringView word) const
    {
        const auto found = idOfWord.find(std::u16string_view(word.utf16(), word.size()));
        if (found == idOfWord.end())
            return std::nullopt;
        return found->second;
    }
};

// The walk rules. They look only at the path (the parent's mark and word, the
// token just read), so they hold for every walk that takes the same path.
namespace WalkRules {

// A sentence end read below a marked node is the walk's last token.
inline bool stopsAfter(bool parentMarked, TokenSequence::Kind token)
{
    return parentMarked && token != TokenSequence::Kind::Ordinary;
}

// "." marks the children of its node, "?" and "!" mark their own node.
inline bool marksChild(bool parentMarked, TokenSequence::Kind parentWord, TokenSequence::Kind token)
{
    return parentMarked || parentWord == TokenSequence::Kind::FullStop ||
           token == TokenSequence::Kind::QuestionOrExclamation;
}

} // namespace WalkRules
