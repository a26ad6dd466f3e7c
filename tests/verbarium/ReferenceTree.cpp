#include "ReferenceTree.h"

#include "CharacterClasses.h"
#include "Scanner.h"

#include <QStringList>

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

void nextNode(Scanner &scanner, Node *node)
{
    for (;;) {
        QString word;
        if (!readToken(scanner, &word))
            return;
        Node *child = nullptr;
        for (const auto &candidate : node->children()) {
            if (candidate->word() == word) {
                child = candidate.get();
                child->incCount();
                break;
            }
        }
        if (!child) {
            auto created = std::make_unique<Node>(word);
            child = created.get();
            node->addChild(std::move(created));
        }
        if (isSentenceEnd(word) && node->hasPointAsParent())
            return;
        if (scanner.isAtEnd())
            return;
        if (node->hasPointAsParent() || node->word() == u"."_s || word == u"?"_s || word == u"!"_s)
            child->setHasPointAsParent(true);
        node = child;
    }
}

} // namespace

std::unique_ptr<Node> referenceTree(const QString &preparedText, const QString &word)
{
    auto root = std::make_unique<Node>(word);
    Scanner scanner(preparedText);
    QString token;
    while (readToken(scanner, &token)) {
        if (token == word) {
            const qsizetype resumeAt = scanner.scanLocation();
            nextNode(scanner, root.get());
            scanner.setScanLocation(resumeAt);
        }
    }
    root->sortArrays();
    return root;
}

QString printedTree(const Node &node)
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

QString differenceBetween(const Node &expected, const Node &actual)
{
    const auto describe = [](const Node &node) {
        return u"%1 (count %2, leaves %3, marked %4)"_s.arg(node.word())
            .arg(node.count())
            .arg(node.countOfLeaves())
            .arg(node.hasPointAsParent());
    };
    if (expected.word() != actual.word() || expected.count() != actual.count() ||
        expected.countOfLeaves() != actual.countOfLeaves() ||
        expected.hasPointAsParent() != actual.hasPointAsParent() ||
        expected.children().size() != actual.children().size() ||
        (expected.parent() == nullptr) != (actual.parent() == nullptr))
        return u"expected %1 with %2 children, got %3 with %4 children"_s.arg(describe(expected))
            .arg(expected.children().size())
            .arg(describe(actual))
            .arg(actual.children().size());
    for (std::size_t index = 0; index < expected.children().size(); ++index) {
        if (actual.children()[index]->parent() != &actual)
            return actual.children()[index]->word() + u" has a wrong parent"_s;
        const QString difference =
            differenceBetween(*expected.children()[index], *actual.children()[index]);
        if (!difference.isEmpty())
            return expected.word() + u" > "_s + difference;
    }
    return {};
}
