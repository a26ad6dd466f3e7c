#include "Job.h"

#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString outOfMemory = u"Too little memory for the test's job."_s;

// What the handlers heard, in order: "done 7", "failed …", "progress 500", "finished".
struct Heard
{
    QStringList events;

    JobHandlers<int> handlers()
    {
        return {[this](int value) { events << u"done %1"_s.arg(value); },
                [this](const QString &message) { events << u"failed "_s + message; },
                [this](int permille) {
                    // Every job starts at 0: only what the work says is of interest.
                    if (permille > 0)
                        events << u"progress %1"_s.arg(permille);
                },
                [this] { events << u"finished"_s; }};
    }
    bool finished() const { return events.contains(u"finished"_s); }
};

// Work that waits until its stop is asked for, then ends as stopped work does; it
// notes that it started and that it saw the stop.
struct SlowWork
{
    std::shared_ptr<std::atomic<bool>> started = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> stopped = std::make_shared<std::atomic<bool>>(false);

    int operator()(std::stop_token stop) const
    {
        *started = true;
        while (!stop.stop_requested())
            QThread::yieldCurrentThread();
        *stopped = true;
        throw WorkStopped();
    }
};

struct EndingRow
{
    const char *name;
    std::function<int(std::stop_token)> work;
    QStringList expected;
};

class JobEnding : public ::testing::TestWithParam<EndingRow>
{
};

TEST_P(JobEnding, IsHeardOnTheOwnersThread)
{
    QObject owner;
    Job<int> job(&owner, outOfMemory);
    Heard heard;
    job.start(GetParam().work, heard.handlers());
    EXPECT_TRUE(job.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.finished(); }));
    EXPECT_FALSE(job.isRunning());
    EXPECT_EQ(heard.events, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Job, JobEnding,
    ::testing::Values(
        EndingRow{"result", [](std::stop_token) { return 7; }, {u"done 7"_s, u"finished"_s}},
        EndingRow{"outOfMemory",
                  [](std::stop_token) -> int { throw std::bad_alloc(); },
                  {u"failed "_s + outOfMemory, u"finished"_s}},
        EndingRow{"unexpectedException",
                  [](std::stop_token) -> int { throw std::runtime_error("disk on fire"); },
                  {u"failed Something went wrong: disk on fire."_s, u"finished"_s}},
        EndingRow{"somethingNotAnException",
                  [](std::stop_token) -> int { throw 42; },
                  {u"failed Something went wrong."_s, u"finished"_s}},
        EndingRow{"stoppedFromWithin",
                  [](std::stop_token) -> int { throw WorkStopped(); },
                  {u"finished"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Job, ReportsEachResultAndItsProgressInOrder)
{
    QObject owner;
    Job<int> job(&owner, outOfMemory);
    Heard heard;
    job.start(
        [](std::stop_token, JobReport<int> &report) {
            report.handOver(1);
            report.setProgress(500);
            report.handOver(2);
            throw std::bad_alloc();
        },
        heard.handlers());
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.finished(); }));
    EXPECT_EQ(heard.events, QStringList({u"done 1"_s, u"progress 500"_s, u"done 2"_s,
                                         u"failed "_s + outOfMemory, u"finished"_s}));
}

TEST(Job, ANewerJobStopsTheOlderWhichIsNeverHeard)
{
    QObject owner;
    Job<int> job(&owner, outOfMemory);
    Heard heard;
    const SlowWork slow;
    job.start(slow, heard.handlers());
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.started->load(); }));
    job.start([](std::stop_token) { return 2; }, heard.handlers());
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.finished(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return slow.stopped->load(); }));
    EXPECT_EQ(heard.events, QStringList({u"done 2"_s, u"finished"_s}));
}

TEST(Job, GoingAwayStopsTheJobUnheard)
{
    QObject owner;
    auto job = std::make_unique<Job<int>>(&owner, outOfMemory);
    Heard heard;
    const SlowWork slow;
    job->start(slow, heard.handlers());
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.started->load(); }));
    job.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.stopped->load(); }));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(heard.events.isEmpty()) << heard.events.join(u", "_s).toStdString();
}

} // namespace
