#include "ReferenceTree.h"

#include "CharacterClasses.h"
#include "LowerCase.h"
#include "Scanner.h"

#include <QStringList>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

bool readToken(Scanner &scanner, QString *token)
{
    QStringView piece;
    if (!scanner.scanUpTo(CharacterClasses::isWhitespace, &piece))
        return false;
    scanner.scanCharacters(CharacterClasses::isWhitespace);
    *token = piece.toString();
    return true;
}

bool isSentenceEnd(const QString &token)
{
    return token == u"."_s || token == u"?"_s || token == u"!"_s;
}

void nextNode(Scanner &scanner, LiteralNode *node)
{
    for (;;) {
        QString word;
        if (!readToken(scanner, &word))
            return;
        LiteralNode *child = nullptr;
        for (const auto &candidate : node->children()) {
            if (candidate->word() == word) {
                child = candidate.get();
                child->incCount();
                break;
            }
        }
        if (!child)
            child = &node->addChild(word);
        if (isSentenceEnd(word) && node->hasPointAsParent())
            return;
        if (scanner.isAtEnd())
            return;
        if (node->hasPointAsParent() || node->word() == u"."_s || word == u"?"_s || word == u"!"_s)
            child->setHasPointAsParent();
        node = child;
    }
}

} // namespace

QString makeSpaces(QStringView text)
{
    QString spaced;
    Scanner scanner(text);
    while (!scanner.isAtEnd()) {
        QStringView textPiece;
        QStringView punctuationPiece;
        scanner.scanUpTo(CharacterClasses::isPunctuation, &textPiece);
        scanner.scanCharacters(CharacterClasses::isPunctuation, &punctuationPiece);
        spaced += textPiece;
        spaced += u' ';
        spaced += punctuationPiece;
        spaced += u' ';
    }
    return spaced;
}

QString preparedText(QStringView treeText)
{
    return lowerCased(makeSpaces(treeText));
}

QStringList preparedTokens(const QString &preparedText)
{
    QStringList tokens;
    Scanner scanner(preparedText);
    QString token;
    while (readToken(scanner, &token))
        tokens.append(token);
    return tokens;
}

std::unique_ptr<LiteralNode> referenceTree(const QString &preparedText, const QString &word)
{
    auto root = unsortedReferenceTree(preparedText, word);
    root->sortArrays();
    return root;
}

std::unique_ptr<LiteralNode> unsortedReferenceTree(const QString &preparedText, const QString &word)
{
    auto root = std::make_unique<LiteralNode>(word);
    Scanner scanner(preparedText);
    QString token;
    while (readToken(scanner, &token)) {
        if (token == word) {
            const qsizetype resumeAt = scanner.scanLocation();
            nextNode(scanner, root.get());
            scanner.setScanLocation(resumeAt);
        }
    }
    return root;
}

QString printedTree(const LiteralNode &node)
{
    QString text = node.word() + u':' + QString::number(node.count());
    const auto &children = node.children();
    if (children.empty())
        return text;
    QStringList parts;
    for (const auto &child : children)
        parts.append(printedTree(*child));
    return text + u'[' + parts.join(u' ') + u']';
}

QString printedTree(const VerbariumTree &tree, Node node)
{
    QString text = tree.word(node) + u':' + QString::number(tree.count(node));
    const quint32 children = tree.childCount(node);
    if (children == 0)
        return text;
    QStringList parts;
    for (quint32 index = 0; index < children; ++index)
        parts.append(printedTree(tree, tree.child(node, index)));
    return text + u'[' + parts.join(u' ') + u']';
}

QString differenceBetween(const LiteralNode &expected, const VerbariumTree &actual)
{
    const auto describe = [](const QString &word, quint32 count, quint32 leaves, quint32 children) {
        return u"%1 (count %2, leaves %3, %4 children)"_s.arg(word).arg(count).arg(leaves).arg(
            children);
    };
    // A list of pairs still to compare, since walks can be as deep as the text.
    std::vector<std::pair<const LiteralNode *, Node>> pending{{&expected, actual.root()}};
    while (!pending.empty()) {
        const auto [wanted, got] = pending.back();
        pending.pop_back();
        const quint32 children = actual.childCount(got);
        if (wanted->word() != actual.word(got) || wanted->count() != actual.count(got) ||
            wanted->countOfLeaves() != actual.countOfLeaves(got) ||
            wanted->children().size() != children) {
            const auto parent = actual.parent(got);
            return u"expected %1, got %2 below %3"_s.arg(
                describe(wanted->word(), wanted->count(), wanted->countOfLeaves(),
                         quint32(wanted->children().size())),
                describe(actual.word(got), actual.count(got), actual.countOfLeaves(got), children),
                parent ? actual.word(*parent) : u"nothing"_s);
        }
        for (quint32 index = 0; index < children; ++index) {
            const Node child = actual.child(got, index);
            if (actual.parent(child) != got)
                return actual.word(child) + u" has a wrong parent"_s;
            pending.emplace_back(wanted->children()[index].get(), child);
        }
    }
    return {};
}
