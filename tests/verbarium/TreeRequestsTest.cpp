#include "TreeRequests.h"

#include "TextIndex.h"
#include "VerbariumTree.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// Requests whose workers fail or wait as a row says; the text is "the cat sat".
class TreeRequestsFailing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&requests, &TreeRequests::treeReady,
                         [this](const std::shared_ptr<const VerbariumTree> &tree) {
                             answers << u"tree of "_s + tree->word(tree->root());
                         });
        QObject::connect(&requests, &TreeRequests::treeFailed,
                         [this](const QString &message) { answers << u"failed: "_s + message; });
        requests.setIndex(TextIndex::build(u"the cat sat"_s));
    }

    // What the requests said of the last tree asked for: its root, or why there is none.
    QString awaitAnswer()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !answers.isEmpty(); }));
        EXPECT_EQ(requests.work(), TreeRequests::Work::None);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    TreeRequests requests;
    QStringList answers;
};

TEST_F(TreeRequestsFailing, GrowthsFailureIsSaid)
{
    const struct
    {
        const char *name;
        std::function<void()> failure;
        QString expected;
    } rows[] = {
        {"outOfMemory", [] { throw std::bad_alloc(); },
         u"failed: There is not enough memory to grow this tree."_s},
        {"unexpected", [] { throw std::runtime_error("bad node"); },
         u"failed: Something went wrong: bad node."_s},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TreeRequests::Workers workers = TreeRequests::defaultWorkers();
        workers.grow = [failure = row.failure](auto, const QStringList &,
                                               std::stop_token) -> TreeRequests::Grown {
            failure();
            return {};
        };
        requests.setWorkers(workers);
        requests.requestTree({u"the"_s});
        EXPECT_EQ(awaitAnswer(), row.expected);
    }
}

TEST_F(TreeRequestsFailing, IndexOfTheWordsBeforeFailingIsSaidAndForgotten)
{
    TreeRequests::Workers workers = TreeRequests::defaultWorkers();
    const auto indexBefore = workers.indexBefore;
    workers.indexBefore = [](auto, std::stop_token) -> std::shared_ptr<const TextIndex> {
        throw std::bad_alloc();
    };
    requests.setWorkers(workers);
    requests.requestTree({u"sat"_s}, true);
    EXPECT_EQ(awaitAnswer(), u"failed: There is not enough memory to index the words before."_s);

    // Asked again, it is built again.
    workers.indexBefore = indexBefore;
    requests.setWorkers(workers);
    requests.requestTree({u"sat"_s}, true);
    EXPECT_EQ(awaitAnswer(), u"tree of sat"_s);
}

TEST_F(TreeRequestsFailing, ANewerRequestStopsASlowGrowth)
{
    TreeRequests::Workers workers = TreeRequests::defaultWorkers();
    auto started = std::make_shared<std::atomic<bool>>(false);
    auto stopped = std::make_shared<std::atomic<bool>>(false);
    workers.grow = [grow = workers.grow, started, stopped](std::shared_ptr<const TextIndex> index,
                                                           const QStringList &phrase,
                                                           std::stop_token stop) {
        if (phrase.front() != u"the"_s)
            return grow(index, phrase, stop);
        *started = true;
        while (!stop.stop_requested())
            QThread::yieldCurrentThread();
        *stopped = true;
        throw WorkStopped();
    };
    requests.setWorkers(workers);
    requests.requestTree({u"the"_s});
    ASSERT_TRUE(QTest::qWaitFor([&] { return started->load(); }));
    EXPECT_EQ(requests.work(), TreeRequests::Work::Growing);
    requests.requestTree({u"cat"_s});
    EXPECT_EQ(awaitAnswer(), u"tree of cat"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return stopped->load(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(answers.isEmpty()) << answers.join(u", "_s).toStdString();
}

} // namespace
