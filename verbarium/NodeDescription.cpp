#include "NodeDescription.h"

#include "CountText.h"
#include "HoldingTokensText.h"
#include "TextIndex.h"

#include <QCoreApplication>

QString countsOf(const VerbariumTree &tree, Node node)
{
    return timesAndBranchesText(tree.occurrences(node), tree.countOfLeaves(node));
}

QString noteOn(const VerbariumTree &tree, Node node, const QList<HoldingToken> &holding)
{
    QStringList notes;
    if (const quint32 continuations = tree.continuations(node);
        continuations > tree.childCount(node))
        notes << QCoreApplication::translate("VerbariumView", "%L1 of %L2 continuations shown")
                     .arg(tree.childCount(node))
                     .arg(continuations);
    if (node == tree.root() && !holding.isEmpty())
        notes << alsoInsideNote(holding);
    return notes.join(u'\n');
}

QString pathText(const VerbariumTree &tree, Node node)
{
    QString path;
    for (auto ancestor = tree.parent(node); ancestor; ancestor = tree.parent(*ancestor)) {
        path.insert(0, u' ');
        path.insert(0, tree.word(*ancestor));
    }
    return path;
}

ContextsQuery contextsQueryOf(const VerbariumTree &tree, Node node,
                              std::shared_ptr<const TextIndex> index,
                              std::shared_ptr<const TextIndex> forward)
{
    ContextsQuery query;
    query.sequence = tree.sequenceTo(node);
    // The words before are read from the start back: the reader reads them the other way.
    const bool mirrored = index && index->readsBackward();
    query.shown =
        (mirrored ? QStringList(query.sequence.rbegin(), query.sequence.rend()) : query.sequence)
            .join(u' ');
    query.index = std::move(index);
    query.forward = std::move(forward);
    query.count = tree.occurrences(node);
    for (quint32 child = 0; child < tree.childCount(node); ++child)
        query.inShownBranches += tree.count(tree.child(node, child));
    return query;
}

QString spokenWord(const VerbariumPicture &picture, const PlacedWord &word)
{
    const QString &text = picture.treeOf(word).word(word.node);
    if (!picture.bothSides() || &word == &picture.words.front())
        return text;
    return word.before ? QCoreApplication::translate("VerbariumView", "%1, before").arg(text)
                       : QCoreApplication::translate("VerbariumView", "%1, after").arg(text);
}
