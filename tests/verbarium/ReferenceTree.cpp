#include "ReferenceTree.h"

#include "CharacterClasses.h"
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
        return u"%1 (count %2, leaves %3, marked %4, %5 children)"_s.arg(node.word())
            .arg(node.count())
            .arg(node.countOfLeaves())
            .arg(node.hasPointAsParent())
            .arg(node.children().size());
    };
    // A list of pairs still to compare, since walks can be as deep as the text.
    std::vector<std::pair<const Node *, const Node *>> pending{{&expected, &actual}};
    while (!pending.empty()) {
        const auto [wanted, got] = pending.back();
        pending.pop_back();
        if (wanted->word() != got->word() || wanted->count() != got->count() ||
            wanted->countOfLeaves() != got->countOfLeaves() ||
            wanted->hasPointAsParent() != got->hasPointAsParent() ||
            wanted->children().size() != got->children().size())
            return u"expected %1, got %2 below %3"_s.arg(describe(*wanted), describe(*got),
                                                         got->parent() ? got->parent()->word()
                                                                       : u"nothing"_s);
        for (std::size_t index = 0; index < wanted->children().size(); ++index) {
            const Node *child = got->children()[index].get();
            if (child->parent() != got)
                return child->word() + u" has a wrong parent"_s;
            pending.emplace_back(wanted->children()[index].get(), child);
        }
    }
    return {};
}
