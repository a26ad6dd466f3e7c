#include "TreeText.h"

#include "CharacterClasses.h"
#include "LowerCase.h"
#include "Scanner.h"
#include "TokenSequence.h"
#include "TreeGrower.h"

using namespace Qt::Literals::StringLiterals;

namespace {

TokenSequence::Kind kindOf(QStringView token)
{
    if (token == u"."_s)
        return TokenSequence::Kind::FullStop;
    if (token == u"?"_s || token == u"!"_s)
        return TokenSequence::Kind::QuestionOrExclamation;
    return TokenSequence::Kind::Ordinary;
}

std::shared_ptr<const TokenSequence> tokenise(QStringView treeText)
{
    auto tokens = std::make_shared<TokenSequence>();
    tokens->preparedText = lowerCased(makeSpaces(treeText));
    const QStringView text = tokens->preparedText;

    Scanner scanner(text);
    QStringView token;
    while (scanner.scanUpTo(CharacterClasses::isWhitespace, &token)) {
        scanner.scanCharacters(CharacterClasses::isWhitespace);
        const auto [found, isNew] = tokens->idOfWord.try_emplace(
            std::u16string_view(token.utf16(), token.size()), quint32(tokens->words.size()));
        if (isNew) {
            tokens->words.append(token.toString());
            tokens->kinds.push_back(kindOf(token));
        }
        tokens->ids.push_back(found->second);
    }
    return tokens;
}

} // namespace

TreeText::TreeText(QStringView treeText)
    : m_tokens(tokenise(treeText))
{}

QString TreeText::preparedText() const
{
    return m_tokens->preparedText;
}

QStringList TreeText::tokens() const
{
    QStringList list;
    list.reserve(qsizetype(m_tokens->ids.size()));
    for (const quint32 id : m_tokens->ids)
        list.append(m_tokens->words[id]);
    return list;
}

std::shared_ptr<Node> TreeText::growTree(const QString &word) const
{
    // The tree's nodes refer to the tokens without owning them; the holder keeps
    // both, and destroys the nodes first.
    struct Holder
    {
        std::shared_ptr<const TokenSequence> tokens;
        std::unique_ptr<Node> root;
    };
    auto holder = std::make_shared<Holder>(Holder{m_tokens, std::make_unique<Node>(word)});
    TreeGrower(*m_tokens, *holder->root).parseTextForward();
    holder->root->sortArrays();
    return std::shared_ptr<Node>(holder, holder->root.get());
}
