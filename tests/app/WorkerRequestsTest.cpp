#include "WorkerRequests.h"

#include <QTest>
#include <future>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(WorkerRequestsTest, NewerRequestDropsTheResultOfAnOlderOneThatFinishesLater)
{
    WorkerRequests requests;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    QStringList delivered;
    const auto deliver = [&delivered](const QString &result) { delivered << result; };

    requests.run(
        [released] {
            released.wait();
            return u"older"_s;
        },
        deliver);
    requests.run([] { return u"newer"_s; }, deliver);
    EXPECT_TRUE(delivered.isEmpty()); // results come through the event loop
    ASSERT_TRUE(QTest::qWaitFor([&delivered] { return !delivered.isEmpty(); }));
    EXPECT_TRUE(requests.isBusy()); // the older job still runs
    release.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&requests] { return !requests.isBusy(); }));
    EXPECT_EQ(delivered, QStringList{u"newer"_s});
}

} // namespace
