// A corpus read as one text: no walk, phrase or context runs from one file into the next.

#include "ContextLines.h"
#include "IndexCache.h"
#include "Occurrences.h"
#include "QtPrinters.h"
#include "RandomTexts.h"
#include "ReferenceTree.h"
#include "TextIndex.h"
#include "Tokeniser.h"
#include "TreeGrowth.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::Literals::StringLiterals;

namespace {

// The files joined as a corpus is read: each on a line of its own.
struct Corpus
{
    QString text;
    std::vector<TextSpan> files;
    std::shared_ptr<const TextIndex> after;
    std::shared_ptr<const TextIndex> before;

    explicit Corpus(const QStringList &texts)
    {
        for (const QString &file : texts) {
            if (!text.isEmpty())
                text += u'\n';
            files.push_back({quint32(text.size()), quint32(text.size() + file.size())});
            text += file;
        }
        after = TextIndex::build(tokenise(text, files));
        before = TextIndex::build(after->tokens().reversed());
    }
};

QString treeOf(const std::shared_ptr<const TextIndex> &index, const QString &phrase)
{
    const auto tree = growTree(index, phrase.split(u' '));
    return printedTree(*tree, tree->root());
}

// Two files, each ending with the words the other begins with.
const Corpus twoFiles({u"we saw the lord"_s, u"the lord hath spoken. we saw"_s});

struct BoundaryCase
{
    const char *name;
    bool before;
    QString phrase;
    QString expectedTree;
};

void PrintTo(const BoundaryCase &boundaryCase, std::ostream *out)
{
    *out << boundaryCase.name;
}

class CorpusBoundaries : public testing::TestWithParam<BoundaryCase>
{
};

TEST_P(CorpusBoundaries, EndWalksAsTheTextsEndDoes)
{
    const BoundaryCase &row = GetParam();
    EXPECT_EQ(treeOf(row.before ? twoFiles.before : twoFiles.after, row.phrase), row.expectedTree);
}

INSTANTIATE_TEST_SUITE_P(
    Walks, CorpusBoundaries,
    testing::Values(
        BoundaryCase{"WordsAfterAFilesLastWord", false, u"lord"_s,
                     u"lord:1[hath:1[spoken:1[.:1[we:1[saw:1]]]]]"_s},
        BoundaryCase{"WordsAfterAPhraseAtAFilesEnd", false, u"saw"_s, u"saw:1[the:1[lord:1]]"_s},
        BoundaryCase{"WordsBeforeAFilesFirstWord", true, u"the"_s, u"the:1[saw:1[we:1]]"_s},
        BoundaryCase{"WordsBeforeAPhraseAtAFilesStart", true, u"the lord"_s,
                     u"the lord:1[saw:1[we:1]]"_s}),
    [](const testing::TestParamInfo<BoundaryCase> &info) { return info.param.name; });

// Files without tokens, at the start, between and at the end, begin nothing.
TEST(CorpusBoundaries, EmptyFilesBeginNothing)
{
    const Corpus corpus({QString(), u"x a b"_s, u" "_s, QString(), u"b c"_s, QString()});
    EXPECT_EQ(treeOf(corpus.after, u"b"_s), u"b:1[c:1]"_s);
    EXPECT_EQ(treeOf(corpus.before, u"b"_s), u"b:1[a:1[x:1]]"_s);
    EXPECT_EQ(corpus.after->tokens().partStarts().size(), 2u);
}

TEST(CorpusBoundaries, PhrasesOccurWithinAFile)
{
    const struct
    {
        QStringList phrase;
        std::size_t count;
        quint32 endedHere;
    } rows[] = {
        {{u"lord"_s, u"the"_s}, 0, 0},
        {{u"saw"_s, u"the"_s}, 1, 0},
        {{u"the"_s, u"lord"_s}, 2, 1},
        {{u"we"_s, u"saw"_s}, 2, 1},
    };
    for (const auto &row : rows) {
        const Occurrences found = occurrencesOf(*twoFiles.after, row.phrase);
        EXPECT_EQ(found.firsts.size(), row.count) << row.phrase.join(u' ').toStdString();
        EXPECT_EQ(found.endedHere, row.endedHere) << row.phrase.join(u' ').toStdString();
    }
}

TEST(CorpusBoundaries, ContextsStayInTheirFile)
{
    const TokenSequence &tokens = twoFiles.after->tokens();
    std::vector<quint32> firsts = occurrencesOf(*twoFiles.after, {u"lord"_s}).firsts;
    ASSERT_EQ(firsts.size(), 2u);
    const ContextLine last =
        contextLine(twoFiles.text, tokens, firsts[0], 1, 12, twoFiles.files[0]);
    EXPECT_EQ(last.left, u"we saw the "_s);
    EXPECT_EQ(last.right, QString());
    const ContextLine first =
        contextLine(twoFiles.text, tokens, firsts[1], 1, 12, twoFiles.files[1]);
    EXPECT_EQ(first.left, u"the "_s);
    // Nothing after the first file's "lord": it sorts before "hath"; nothing before the
    // second's "the": it sorts before "saw".
    std::vector<quint32> byFollowing{firsts[1], firsts[0]};
    sortRuns(byFollowing, 1, tokens, ContextOrder::Following);
    EXPECT_EQ(byFollowing, firsts);
    std::vector<quint32> thes = occurrencesOf(*twoFiles.after, {u"the"_s}).firsts;
    std::vector<quint32> byPreceding{thes[0], thes[1]};
    sortRuns(byPreceding, 1, tokens, ContextOrder::Preceding);
    EXPECT_EQ(byPreceding, (std::vector<quint32>{thes[1], thes[0]}));
}

// The files' starts go into the index file and come back with it, under a key of their
// own: the same text cut elsewhere is another corpus.
TEST(CorpusBoundaries, AreKeptWithTheIndex)
{
    QTemporaryDir folder;
    const IndexCache cache(folder.path());
    const TextKey key = IndexCache::keyOf(twoFiles.text, twoFiles.files);
    EXPECT_NE(key.hash, IndexCache::keyOf(twoFiles.text).hash);
    ASSERT_EQ(cache.keep(key, *twoFiles.after), QString());
    const auto kept = cache.open(key);
    ASSERT_TRUE(kept);
    EXPECT_EQ(treeOf(kept, u"lord"_s), treeOf(twoFiles.after, u"lord"_s));
    EXPECT_EQ(treeOf(kept, u"saw"_s), u"saw:1[the:1[lord:1]]"_s);
    EXPECT_FALSE(cache.open(IndexCache::keyOf(twoFiles.text)));
}

// Every count of a printed tree but the root's, times copies.
QString timesCopies(const QString &printed, int copies)
{
    QString scaled;
    qsizetype from = 0;
    const QRegularExpression count(u":(\\d+)"_s);
    for (auto match = count.globalMatch(printed); match.hasNext();) {
        const auto found = match.next();
        scaled += printed.mid(from, found.capturedStart() - from);
        const int value = found.captured(1).toInt();
        scaled += u':' + QString::number(from == 0 ? value : value * copies);
        from = found.capturedEnd();
    }
    return scaled + printed.mid(from);
}

class CopiedFiles : public testing::TestWithParam<RandomTexts>
{
};

// A corpus of copies of one text has that text's trees with every count multiplied, and
// its phrases as many times more: a walk that ran into the next copy would add words.
TEST_P(CopiedFiles, GiveTheTreesOfOneCopy)
{
    constexpr int copies = 3;
    std::mt19937 random(20261209);
    for (int round = 0; round < GetParam().rounds; ++round) {
        const QString text = randomText(random, GetParam());
        const Corpus single({text});
        const Corpus corpus(QStringList(copies, text));
        for (const QString &word : {u"w0"_s, u"w1"_s, u"."_s, u","_s}) {
            for (const bool before : {false, true}) {
                const auto &one = before ? single.before : single.after;
                const auto &all = before ? corpus.before : corpus.after;
                ASSERT_EQ(treeOf(all, word), timesCopies(treeOf(one, word), copies))
                    << "text: " << text.toStdString() << " word: " << word.toStdString()
                    << (before ? " before" : "");
            }
            const QStringList phrase{word, u"w1"_s};
            const Occurrences inOne = occurrencesOf(*single.after, phrase);
            const Occurrences inAll = occurrencesOf(*corpus.after, phrase);
            ASSERT_EQ(inAll.firsts.size(), inOne.firsts.size() * copies) << text.toStdString();
            ASSERT_EQ(inAll.endedHere, inOne.endedHere * copies) << text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, CopiedFiles,
                         testing::Values(RandomTexts{"FewWordsManyRepeats", 100, 60, 3, 0.0},
                                         RandomTexts{"ShortTexts", 200, 12, 4, 0.0},
                                         RandomTexts{"NoSentenceEnds", 40, 150, 3, 0.1, false},
                                         RandomTexts{"OneWordRepeated", 30, 80, 1, 0.0, false}),
                         [](const testing::TestParamInfo<RandomTexts> &info) {
                             return info.param.name;
                         });

} // namespace
