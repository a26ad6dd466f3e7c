#include "Occurrences.h"

#include "QtPrinters.h"
#include "RandomTexts.h"
#include "ReferenceTree.h"
#include "TextIndex.h"
#include "TokenSequence.h"
#include "Tokeniser.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isSentenceEnd(const QString &token)
{
    return token == u"."_s || token == u"?"_s || token == u"!"_s;
}

// How the walk from the occurrence at first fares with the sequence, token by token,
// with the marks of the sentence-end rules: the literal way.
enum class Walk { Diverges, ReadsIt, EndsWithIt };

Walk walkOf(const QStringList &tokens, qsizetype first, const QStringList &sequence)
{
    bool parentMarked = false;
    QString parentWord = tokens[first];
    for (qsizetype depth = 1; depth < sequence.size(); ++depth) {
        if (first + depth >= tokens.size() || tokens[first + depth] != sequence[depth])
            return Walk::Diverges;
        const QString &word = tokens[first + depth];
        const bool stops =
            (isSentenceEnd(word) && parentMarked) || first + depth == tokens.size() - 1;
        if (depth == sequence.size() - 1)
            return stops ? Walk::EndsWithIt : Walk::ReadsIt;
        if (stops)
            return Walk::Diverges;
        parentMarked = parentMarked || parentWord == u"."_s || word == u"?"_s || word == u"!"_s;
        parentWord = word;
    }
    return first == tokens.size() - 1 ? Walk::EndsWithIt : Walk::ReadsIt;
}

Occurrences literalOccurrences(const QStringList &tokens, const QStringList &sequence)
{
    Occurrences found;
    found.length = quint32(sequence.size());
    for (qsizetype first = 0; first < tokens.size(); ++first) {
        if (tokens[first] != sequence.front())
            continue;
        const Walk walk = walkOf(tokens, first, sequence);
        if (walk != Walk::Diverges)
            found.firsts.push_back(quint32(first));
        found.endedHere += walk == Walk::EndsWithIt;
    }
    return found;
}

// The nodes of the tree nearest the root, breadth first: the walk of each costs a pass
// over the text, so a few hundred are enough.
std::vector<Node> nodesOf(const VerbariumTree &tree)
{
    constexpr std::size_t checkedNodes = 120;
    std::vector<Node> nodes{tree.root()};
    for (std::size_t index = 0; index < nodes.size() && nodes.size() < checkedNodes; ++index)
        for (quint32 child = 0; child < tree.childCount(nodes[index]); ++child)
            nodes.push_back(tree.child(nodes[index], child));
    return nodes;
}

// The children of a printed tree, without its root's word and count.
QString printedChildren(const QString &printed)
{
    const qsizetype open = printed.indexOf(u'[');
    return open < 0 ? QString() : printed.sliced(open);
}

class RandomOccurrences : public testing::TestWithParam<RandomTexts>
{
};

// The lines the contexts show for a node are the walks a literal reading counts for it;
// a phrase grows the tree below its last word, untrimmed on the way; the words before a
// word grow the literal tree of the reversed tokens.
TEST_P(RandomOccurrences, MatchTheLiteralWalks)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < GetParam().rounds; ++round) {
        const QString text = randomText(random, GetParam());
        const auto index = TextIndex::build(text);
        const QString prepared = preparedText(text);
        const QStringList tokens = preparedTokens(prepared);
        QStringList reversedTokens(tokens.rbegin(), tokens.rend());
        const auto backwardIndex = TextIndex::build(index->tokens().reversed());
        for (const QString &word : {u"w0"_s, u"w1"_s, u"."_s, u","_s}) {
            const auto tree = growTree(index, word);
            for (const Node node : nodesOf(*tree)) {
                const QStringList sequence = tree->sequenceTo(node);
                const Occurrences found = occurrencesOf(*index, sequence);
                const Occurrences literal = literalOccurrences(tokens, sequence);
                ASSERT_EQ(found.firsts, literal.firsts)
                    << text.toStdString() << " | " << sequence.join(u' ').toStdString();
                ASSERT_EQ(found.endedHere, literal.endedHere)
                    << text.toStdString() << " | " << sequence.join(u' ').toStdString();
                EXPECT_EQ(found.firsts.size(),
                          node == tree->root() ? tree->occurrences() : tree->count(node));
            }

            const auto phraseRoot = tree->childCount(tree->root()) > 0
                                        ? std::optional(tree->child(tree->root(), 0))
                                        : std::nullopt;
            if (phraseRoot) {
                const QStringList phrase = tree->sequenceTo(*phraseRoot);
                const auto literal = unsortedReferenceTree(prepared, word);
                LiteralNode *below = nullptr;
                for (const auto &child : literal->children())
                    if (child->word() == phrase[1])
                        below = child.get();
                ASSERT_NE(below, nullptr);
                below->sortArrays();
                const auto phraseTree = growTree(index, phrase);
                EXPECT_EQ(printedChildren(printedTree(*phraseTree, phraseTree->root())),
                          printedChildren(printedTree(*below)))
                    << text.toStdString() << " | " << phrase.join(u' ').toStdString();
            }

            const auto before = growTree(backwardIndex, word);
            const auto literalBefore = referenceTree(reversedTokens.join(u' '), word);
            ASSERT_EQ(differenceBetween(*literalBefore, *before), QString()) << text.toStdString();
            for (const Node node : nodesOf(*before)) {
                const QStringList sequence = before->sequenceTo(node);
                const Occurrences found = occurrencesOf(*backwardIndex, sequence);
                QStringList forward(sequence.rbegin(), sequence.rend());
                for (const quint32 first : found.firsts)
                    ASSERT_EQ(tokens.mid(first, forward.size()), forward) << text.toStdString();
                EXPECT_EQ(found.firsts.size(),
                          node == before->root() ? before->occurrences() : before->count(node));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, RandomOccurrences,
                         testing::Values(RandomTexts{"FewWordsManyRepeats", 60, 60, 3, 0.0},
                                         RandomTexts{"ManyFollowersTrimmed", 6, 400, 70, 0.35},
                                         RandomTexts{"WithoutSentenceEnds", 20, 80, 4, 0.1, false},
                                         RandomTexts{"PastedTwice", 20, 120, 4, 0.1, true, true}),
                         [](const testing::TestParamInfo<RandomTexts> &info) {
                             return info.param.name;
                         });

struct PhraseCase
{
    const char *name;
    QString text;
    QStringList phrase;
    quint32 occurrences;
    QString children;
};

void PrintTo(const PhraseCase &phraseCase, std::ostream *out)
{
    *out << phraseCase.name;
}

class PhraseTree : public testing::TestWithParam<PhraseCase>
{
};

TEST_P(PhraseTree, FollowsTheWholePhrase)
{
    const auto index = TextIndex::build(GetParam().text);
    const auto tree = growTree(index, GetParam().phrase);
    EXPECT_EQ(tree->word(tree->root()), GetParam().phrase.join(u' '));
    EXPECT_EQ(tree->occurrences(), GetParam().occurrences);
    EXPECT_EQ(occurrencesOf(*index, GetParam().phrase).firsts.size(), GetParam().occurrences);
    EXPECT_EQ(printedChildren(printedTree(*tree, tree->root())), GetParam().children);
}

INSTANTIATE_TEST_SUITE_P(
    Phrases, PhraseTree,
    testing::Values(
        PhraseCase{
            "Followers",
            u"the cat sat. the cat ran. the dog sat."_s,
            {u"the"_s, u"cat"_s},
            2,
            u"[sat:1[.:1[the:1[cat:1[ran:1[.:1]]]]] ran:1[.:1[the:1[dog:1[sat:1[.:1]]]]]]"_s},
        PhraseCase{"Absent", u"the cat sat."_s, {u"the"_s, u"dog"_s}, 0, QString()},
        PhraseCase{"AtTheEnd", u"a the cat"_s, {u"the"_s, u"cat"_s}, 1, QString()},
        // The sentence-end rules count from the phrase's first word: after "! !" the
        // walk has stopped, so nothing reads the phrase whole.
        PhraseCase{
            "StoppedInside", u"x b ! ! c"_s, {u"b"_s, u"!"_s, u"!"_s, u"c"_s}, 0, QString()}),
    [](const testing::TestParamInfo<PhraseCase> &info) { return info.param.name; });

// A node keeps how many distinct words followed it before the most frequent 30 were kept.
TEST(Continuations, CountTheFollowersBeforeTheTrim)
{
    QString text;
    for (int follower = 0; follower < 47; ++follower)
        text += u"root f%1. "_s.arg(follower);
    const auto tree = growTree(TextIndex::build(text), u"root"_s);
    EXPECT_EQ(tree->childCount(tree->root()), 30u);
    EXPECT_EQ(tree->continuations(tree->root()), 47u);
    EXPECT_EQ(tree->continuations(tree->child(tree->root(), 0)), 1u);
}

} // namespace
