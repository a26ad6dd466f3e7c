#include "ContextsPane.h"

#include "TextIndex.h"
#include "TreeGrowth.h"
#include "VerbariumTree.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString text = u"The Cat sat.\nA cat ran;\nthe CAT sat down."_s;

class ContextsPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connectContextsPane(pane, controller);
        pane.resize(600, 400);
        pane.show();
        pane.setText(text);
    }

    // Shows the contexts of the node at path below the root word of the tree of word.
    void showNode(const QString &word, const QStringList &path)
    {
        const auto tree = growTree(index, word);
        Node node = tree->root();
        for (const QString &step : path) {
            for (quint32 child = 0; child < tree->childCount(node); ++child) {
                if (tree->word(tree->child(node, child)) == step) {
                    node = tree->child(node, child);
                    break;
                }
            }
        }
        ContextsQuery query{index,
                            index,
                            tree->sequenceTo(node),
                            tree->sequenceTo(node).join(u' '),
                            node == tree->root() ? tree->occurrences() : tree->count(node),
                            0};
        for (quint32 child = 0; child < tree->childCount(node); ++child)
            query.inShownBranches += tree->count(tree->child(node, child));
        pane.showContextsOf(query);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !controller.isFindingContexts(); }));
    }

    QStringList matches() const
    {
        QStringList shown;
        for (int row = 0; row < pane.model().rowCount(); ++row)
            shown << pane.model().lineAt(row).match;
        return shown;
    }

    std::shared_ptr<const TextIndex> index = TextIndex::build(text);
    VerbariumController controller;
    ContextsPane pane;
};

// A node's lines are the occurrences it counts, as they stand in the text, each with the
// text around it on one line.
TEST_F(ContextsPaneTest, ListsTheOccurrencesANodeCountsAsTheyStandInTheText)
{
    showNode(u"the"_s, {});
    EXPECT_EQ(matches(), (QStringList{u"The"_s, u"the"_s}));
    showNode(u"cat"_s, {u"sat"_s});
    EXPECT_EQ(matches(), (QStringList{u"Cat sat"_s, u"CAT sat"_s}));
    const ContextLine second = pane.model().lineAt(1);
    EXPECT_EQ(second.left, u"The Cat sat. A cat ran; the "_s);
    EXPECT_EQ(second.right, u" down."_s);
}

// The header names the sequence and how often it occurs, one occurrence included.
TEST_F(ContextsPaneTest, HeaderSaysHowOftenTheSequenceOccurs)
{
    const struct
    {
        QString word;
        QStringList path;
        QString header;
    } rows[] = {
        {u"cat"_s, {u"sat"_s}, u"2 occurrences of “cat sat”"_s},
        {u"cat"_s, {u"ran"_s}, u"1 occurrence of “cat ran”"_s},
    };
    for (const auto &row : rows) {
        showNode(row.word, row.path);
        EXPECT_EQ(pane.header()->text().toStdString(), row.header.toStdString());
    }
}

struct OrderRow
{
    const char *name;
    int order;
    QStringList rights; // the text after each "cat", in the order shown
};

class ContextsOrder : public ContextsPaneTest, public ::testing::WithParamInterface<OrderRow>
{
};

TEST_P(ContextsOrder, SortsTheLines)
{
    showNode(u"cat"_s, {});
    pane.orderChoice()->setCurrentIndex(GetParam().order);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !controller.isFindingContexts(); }));
    QStringList rights;
    for (int row = 0; row < pane.model().rowCount(); ++row)
        rights << pane.model().lineAt(row).right.left(5);
    EXPECT_EQ(rights, GetParam().rights);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ContextsOrder,
    ::testing::Values(OrderRow{"text", 0, {u" sat."_s, u" ran;"_s, u" sat "_s}},
                      OrderRow{"wordsAfter", 1, {u" ran;"_s, u" sat."_s, u" sat "_s}},
                      // Before the three: "the", "a", "the" (read from the occurrence back).
                      OrderRow{"wordsBefore", 2, {u" ran;"_s, u" sat."_s, u" sat "_s}}),
    [](const auto &info) { return std::string(info.param.name); });

// Selecting a line shows its passage with the occurrence picked out; Copy takes the
// selected lines as plain text.
TEST_F(ContextsPaneTest, ShowsThePassageAndCopiesTheSelectedLines)
{
    showNode(u"cat"_s, {});
    pane.list()->setCurrentIndex(pane.model().index(1));
    EXPECT_EQ(pane.passage()->toPlainText(), text);
    ASSERT_EQ(pane.passage()->extraSelections().size(), 1);
    EXPECT_EQ(pane.passage()->extraSelections().front().cursor.selectedText(), u"cat"_s);

    pane.list()->selectAll();
    pane.list()->copy();
    const QStringList copied = QApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(copied.size(), 4); // three lines and the end of the last
    EXPECT_EQ(copied[1], u"The Cat sat. A cat ran; the CAT sat down."_s);
}

// Where a node has more followers than the tree keeps, the header says how many of its
// occurrences go on in those left out.
TEST_F(ContextsPaneTest, HeaderCountsOccurrencesOutsideTheShownBranches)
{
    QString many;
    for (int follower = 0; follower < 40; ++follower)
        many += u"root f%1. "_s.arg(follower % 35);
    index = TextIndex::build(many);
    pane.setText(many);
    showNode(u"root"_s, {});
    EXPECT_EQ(pane.model().rowCount(), 40);
    // 30 followers shown: the 5 seen twice and 25 seen once make 35 lines; 5 more go on.
    EXPECT_TRUE(pane.header()->text().contains(u"5 go on in followers the tree leaves out"_s))
        << pane.header()->text().toStdString();
}

} // namespace
