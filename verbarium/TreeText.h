#pragma once

#include "Node.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>

struct TokenSequence;

// Sets every run of punctuation apart from the text around it: each scan appends
// the text piece, a space, the punctuation piece and a space.
QString makeSpaces(QStringView text);

// The text that trees grow from: the tree text after makeSpaces, lower-cased
// again and cut into tokens once. Copies share the tokens.
class TreeText
{
public:
    explicit TreeText(QStringView treeText = {});

    QString preparedText() const;
    QStringList tokens() const;

    // Grows the tree of word's followers from every occurrence (the root's count
    // staying 1), then sorts it: children by descending count, ties in order of first
    // occurrence, at most 30 each, leaf counts. The root holds word. The tree keeps
    // what it needs of this text alive, so it may outlive it.
    std::shared_ptr<Node> growTree(const QString &word) const;

private:
    std::shared_ptr<const TokenSequence> m_tokens;
};
