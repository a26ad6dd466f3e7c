#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class TokenSequence;

// One word of a verbarium tree: the offset-th word of one of the tree's segments. A
// plain value; the tree it belongs to answers for its word, counts and relatives.
struct Node
{
    quint32 segment = 0;
    quint32 offset = 0;

    bool operator==(const Node &) const = default;
};

// The tree of the word sequences that follow a start word, or a start phrase of several
// words: every node a token that follows the sequence from the root down to its parent,
// with how often that sequence occurs (count) and how many leaves lie below it
// (countOfLeaves). Children are in descending count order, ties in order of first
// occurrence, at most 30 per node.
//
// A chain of nodes with equal counts, each the only child of the one before, is one
// segment: a slice of the token sequence, so a run as long as the text costs no more
// than one node. Immutable, so it may be handed between threads and shared by every
// picture that shows it.
class VerbariumTree
{
public:
    static constexpr quint32 noSegment = 0xFFFFFFFFu;

    struct Segment
    {
        quint32 firstToken = 0; // position of the first word in the token sequence
        quint32 length = 1;     // words in the chain, at least 1
        quint32 count = 1;
        quint32 countOfLeaves = 0;
        quint32 parent = noSegment;
        quint32 firstChild = 0; // the children of the last word are consecutive segments
        quint32 childCount = 0;
        // How many distinct words followed the last word before the most frequent were
        // kept; 0 where nothing follows.
        quint32 continuations = 0;
    };

    // Segment 0 is the root, which shows rootWord: the start phrase (a word or several)
    // as the reader reads it. phrase is the same as tokens read it (backwards for the
    // words before); it occurs occurrences times in the text, perhaps never. The other
    // segments take their words from tokens. Parents come before their children, and
    // the leaf counts are filled in here.
    VerbariumTree(QString rootWord, QStringList phrase, quint32 occurrences,
                  std::shared_ptr<const TokenSequence> tokens, std::vector<Segment> segments);

    Node root() const { return {}; }
    const QString &word(Node node) const;
    // How often the start occurs in the text, perhaps never.
    quint32 occurrences() const { return m_occurrences; }
    // How often the sequence down to node occurs where a walk reads it whole: the start's
    // occurrences for the root, whose own count stays 1, and the count of any other node.
    quint32 occurrences(Node node) const { return node == root() ? m_occurrences : count(node); }
    // The sequence a node stands for, as the tree's tokens read it: the phrase, then
    // the words down to the node.
    QStringList sequenceTo(Node node) const;
    // How many distinct words follow the node in the text; only the 30 most frequent are
    // its children.
    quint32 continuations(Node node) const;
    quint32 count(Node node) const { return m_segments[node.segment].count; }
    quint32 countOfLeaves(Node node) const { return m_segments[node.segment].countOfLeaves; }
    std::optional<Node> parent(Node node) const;
    quint32 childCount(Node node) const;
    // index < childCount(node).
    Node child(Node node, quint32 index) const;
    // How many nodes lie below node, itself not counted.
    quint64 descendantCount(Node node) const;

    const std::vector<Segment> &segments() const { return m_segments; }

private:
    QString m_rootWord;
    QStringList m_phrase;
    quint32 m_occurrences;
    std::shared_ptr<const TokenSequence> m_tokens;
    std::vector<Segment> m_segments;
};

// Orders by descending count: −1 when a's count is greater, 0 when equal, +1 when smaller.
int sortByCount(quint32 countA, quint32 countB);
