#include "Node.h"

#include "QtPrinters.h"
#include "ReferenceTree.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::unique_ptr<Node> nodeWithCount(const QString &word, quint32 count)
{
    auto node = std::make_unique<Node>(word);
    for (quint32 step = 1; step < count; ++step)
        node->incCount();
    return node;
}

Node *addChild(Node &parent, const QString &word, quint32 count = 1)
{
    auto child = nodeWithCount(word, count);
    Node *raw = child.get();
    parent.addChild(std::move(child));
    return raw;
}

TEST(Node, StartsWithCountOneAndNothingElse)
{
    const Node node(u"word"_s);
    EXPECT_EQ(node.word(), u"word"_s);
    EXPECT_EQ(node.count(), 1u);
    EXPECT_EQ(node.countOfLeaves(), 0u);
    EXPECT_EQ(node.parent(), nullptr);
    EXPECT_TRUE(node.children().empty());
    EXPECT_FALSE(node.hasPointAsParent());
}

TEST(Node, AddChildIgnoresAnEmptyPointerAndLinksTheParent)
{
    Node root(u"root"_s);
    root.addChild(nullptr);
    EXPECT_TRUE(root.children().empty());
    Node *child = addChild(root, u"child"_s);
    ASSERT_EQ(root.children().size(), 1u);
    EXPECT_EQ(root.children().front().get(), child);
    EXPECT_EQ(child->parent(), &root);
}

TEST(Node, IncCountOfLeavesRaisesEveryAncestor)
{
    Node root(u"a"_s);
    Node *b = addChild(root, u"b"_s);
    Node *c = addChild(*b, u"c"_s);
    Node *d = addChild(*c, u"d"_s);
    Node *sibling = addChild(root, u"e"_s);
    d->incCountOfLeaves();
    for (const Node *node : std::initializer_list<const Node *>{&root, b, c, d})
        EXPECT_EQ(node->countOfLeaves(), 1u) << node->word().toStdString();
    EXPECT_EQ(sibling->countOfLeaves(), 0u);
}

struct SortCase
{
    const char *name;
    std::function<void(Node &root)> build;
    QString expectedTree;
    QList<quint32> expectedLeavesInPreorder;
};

void PrintTo(const SortCase &sortCase, std::ostream *out)
{
    *out << sortCase.name;
}

QList<quint32> leavesInPreorder(const Node &node)
{
    QList<quint32> leaves{node.countOfLeaves()};
    for (const auto &child : node.children())
        leaves += leavesInPreorder(*child);
    return leaves;
}

class NodeSorting : public testing::TestWithParam<SortCase>
{
};

TEST_P(NodeSorting, SortsTrimsAndCountsLeaves)
{
    Node root(u"r"_s);
    GetParam().build(root);
    root.sortArrays();
    EXPECT_EQ(printedTree(root), GetParam().expectedTree);
    EXPECT_EQ(leavesInPreorder(root), GetParam().expectedLeavesInPreorder);
}

QString thirtyKeptChildren()
{
    QString tree = u"r:1["_s;
    for (int count = 31; count >= 2; --count)
        tree += u"c%1:%1"_s.arg(count) + (count > 2 ? u" "_s : u"]"_s);
    return tree;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NodeSorting,
    testing::Values(SortCase{"RootAloneIsALeaf", [](Node &) {}, u"r:1"_s, {1}},
                    SortCase{"HigherCountFirst",
                             [](Node &root) {
                                 Node *x = addChild(root, u"x"_s, 3);
                                 addChild(*x, u"y"_s);
                                 addChild(root, u"z"_s, 5);
                             },
                             u"r:1[z:5 x:3[y:1]]"_s,
                             {2, 1, 1, 1}},
                    SortCase{"EqualCountsKeepTheirOrder",
                             [](Node &root) {
                                 addChild(root, u"p"_s, 2);
                                 addChild(root, u"q"_s, 4);
                                 addChild(root, u"s"_s, 2);
                             },
                             u"r:1[q:4 p:2 s:2]"_s,
                             {3, 1, 1, 1}},
                    SortCase{"ThirtyOneChildrenKeepThirty",
                             [](Node &root) {
                                 for (quint32 count : {7u, 31u, 1u, 12u, 2u})
                                     addChild(root, u"c%1"_s.arg(count), count);
                                 for (quint32 count = 3; count <= 30; ++count) {
                                     if (count != 7 && count != 12)
                                         addChild(root, u"c%1"_s.arg(count), count);
                                 }
                             },
                             thirtyKeptChildren(), QList<quint32>{30} + QList<quint32>(30, 1)},
                    SortCase{"TrimmedSubtreesCountNoLeaves",
                             [](Node &root) {
                                 Node *deep = addChild(root, u"deep"_s, 1);
                                 addChild(*deep, u"a"_s);
                                 addChild(*deep, u"b"_s);
                                 for (int child = 0; child < 30; ++child)
                                     addChild(root, u"k"_s, 2);
                             },
                             u"r:1["_s + QStringList(30, u"k:2"_s).join(u' ') + u"]"_s,
                             QList<quint32>{30} + QList<quint32>(30, 1)}),
    [](const testing::TestParamInfo<SortCase> &info) { return info.param.name; });

TEST(Node, DescriptionListsTheSubtreeDepthFirst)
{
    Node root(u"the"_s);
    Node *cat = addChild(root, u"cat"_s);
    addChild(*cat, u"."_s);
    addChild(root, u"dog"_s);
    EXPECT_EQ(root.description(), u"the cat . dog"_s);
    EXPECT_EQ(cat->description(), u"cat ."_s);
}

TEST(Node, SortByCountOrdersDescending)
{
    const auto high = nodeWithCount(u"h"_s, 5);
    const auto low = nodeWithCount(u"l"_s, 2);
    EXPECT_EQ(sortByCount(*high, *low, nullptr), -1);
    EXPECT_EQ(sortByCount(*low, *high, nullptr), 1);
    EXPECT_EQ(sortByCount(*low, *low, nullptr), 0);
}

} // namespace
