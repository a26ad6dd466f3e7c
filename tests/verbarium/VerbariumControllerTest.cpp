#include "VerbariumController.h"

#include "ReferenceTree.h"
#include "TextIndex.h"
#include "VerbariumTree.h"

#include <QTest>
#include <QThreadPool>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the controller tells its views, one line each, in order.
class VerbariumControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&controller, &VerbariumController::treeReady,
                         [this](const std::shared_ptr<const VerbariumTree> &tree) {
                             told << u"tree "_s + printedTree(*tree, tree->root());
                         });
        QObject::connect(&controller, &VerbariumController::treeGone,
                         [this] { told << u"gone"_s; });
        QObject::connect(&controller, &VerbariumController::messageChanged,
                         [this](const QString &message) { told << u"says "_s + message; });
        QObject::connect(&controller, &VerbariumController::busyChanged,
                         [this](bool busy) { told << (busy ? u"busy"_s : u"idle"_s); });
        QObject::connect(&controller, &VerbariumController::contextsFound,
                         [this](const FoundContexts &found) {
                             told << u"%1 contexts"_s.arg(found.firsts.size());
                         });
    }

    void giveText(const QString &text)
    {
        index = TextIndex::build(text);
        controller.beginText();
        controller.setIndex(index);
        told.clear();
    }

    // Waits until every job has ended and what it handed back has arrived.
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] {
            return controller.requests().work() == TreeRequests::Work::None &&
                   !controller.isFindingContexts();
        }));
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }

    ContextsQuery queryOf(const QString &word) const { return {index, index, {word}, word, 0, 0}; }

    std::shared_ptr<const TextIndex> index;
    VerbariumController controller;
    QStringList told;
};

// Only the last word asked for is shown, and only from the text given last.
TEST_F(VerbariumControllerTest, NewerRequestsSupersedeOlderOnes)
{
    giveText(u"the cat sat on the mat. the cat ran home."_s);
    controller.requestTree({u"cat"_s}, false);
    giveText(u"one dog two dog three"_s);
    controller.requestTree({u"two"_s}, false);
    controller.requestTree({u"dog"_s}, false);
    settle();
    EXPECT_EQ(told.filter(u"tree "_s), QStringList{u"tree dog:1[two:1[dog:1[three:1]] three:1]"_s});
}

// A slow tree is said to be on its way; when its growth fails, the picture goes and the
// view says why.
TEST_F(VerbariumControllerTest, SaysWhatItWaitsForAndWhyATreeFailed)
{
    giveText(u"the cat sat"_s);
    auto release = std::make_shared<std::atomic<bool>>(false);
    TreeRequests::Workers workers = TreeRequests::defaultWorkers();
    workers.grow = [release](auto, const QStringList &, std::stop_token) -> TreeRequests::Grown {
        while (!release->load())
            QThread::yieldCurrentThread();
        throw std::runtime_error("bad node");
    };
    controller.setTreeWorkers(workers);
    controller.requestTree({u"the"_s}, false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return told.size() == 2; }));
    *release = true;
    settle();
    EXPECT_EQ(told, (QStringList{u"busy"_s, u"says Growing the tree…"_s, u"idle"_s, u"says "_s,
                                 u"gone"_s, u"says Something went wrong: bad node."_s}));
}

// A text without an index says why at every request, and grows nothing.
TEST_F(VerbariumControllerTest, IndexFailureIsSaidAtEveryRequest)
{
    controller.beginText();
    controller.setIndexFailure(u"No verbarium for this text."_s);
    controller.requestTree({u"the"_s}, false);
    settle();
    EXPECT_EQ(told, (QStringList{u"gone"_s, u"says "_s, u"says No verbarium for this text."_s,
                                 u"says No verbarium for this text."_s}));
}

// Only the contexts asked for last arrive; a query without an index drops the one before.
TEST_F(VerbariumControllerTest, NewerContextsQueriesDropOlderOnes)
{
    const struct
    {
        const char *name;
        QString last; // empty: a query without an index
        QStringList expected;
    } rows[] = {
        {"newerWord", u"the"_s, {u"3 contexts"_s}},
        {"noIndex", QString(), {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        giveText(u"the cat sat on the mat. the cat ran home."_s);
        controller.findContexts(queryOf(u"cat"_s), ContextOrder::Text);
        controller.findContexts(row.last.isEmpty() ? ContextsQuery() : queryOf(row.last),
                                ContextOrder::Text);
        settle();
        EXPECT_EQ(told, row.expected);
    }
}

} // namespace
