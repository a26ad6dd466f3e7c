#pragma once

#include "StopCheck.h"
#include "WorkerPool.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QString>
#include <QThreadPool>
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <stop_token>
#include <type_traits>

// What the user is told of an exception no job expects, what() included when there is
// one: the window says it instead of ending.
QString unexpectedJobFailure(const std::exception *error);

// What a job hands back: a result, or why there is none.
template<typename Result> struct JobOutcome
{
    std::optional<Result> result;
    QString failure;
};

// Given to a job that hands back its results one at a time, or says how far it is.
template<typename Result> class JobReport
{
public:
    explicit JobReport(QPromise<JobOutcome<Result>> &promise)
        : m_promise(promise)
    {}

    void handOver(Result result) { m_promise.addResult(JobOutcome<Result>{std::move(result), {}}); }
    // permille: how much of the work is done, from 0 to 1000.
    void setProgress(int permille) { m_promise.setProgressValue(permille); }

private:
    QPromise<JobOutcome<Result>> &m_promise;
};

// What the requester hears of a job, on its own thread. A job that was stopped or
// dropped says nothing at all.
template<typename Result> struct JobHandlers
{
    std::function<void(Result)> done;             // each result
    std::function<void(const QString &)> failed;  // why there is none, in words for the user
    std::function<void(int permille)> progress{}; // how far the job is
    std::function<void()> finished{};             // after the job's last word, if any
};

// One kind of job an object starts on the pool. Starting another stops the running
// one and drops it, so that nothing of it arrives any more; so do drop() and the end of
// this object; nothing ever waits for a job. Whatever the job throws becomes a failure:
// a stop nothing, too little memory outOfMemory, anything else a message saying so.
//
// The work is called with a stop token, and a JobReport if it takes one to say how far
// it is. It returns its result, which arrives once the job no longer counts as running,
// or nothing, handing its results over one at a time through the report instead.
template<typename Result> class Job
{
    template<typename Work>
    static constexpr bool takesReport =
        std::is_invocable_v<Work &, std::stop_token, JobReport<Result> &>;
    template<typename Work> static constexpr bool handsOverEach()
    {
        if constexpr (takesReport<Work>)
            return std::is_void_v<
                std::invoke_result_t<Work &, std::stop_token, JobReport<Result> &>>;
        else
            return false;
    }

public:
    // The owner lives on the thread the handlers run on and outlives this object.
    Job(QObject *owner, QString outOfMemory)
        : m_owner(owner)
        , m_outOfMemory(std::move(outOfMemory))
    {}
    ~Job() { drop(); }
    Job(const Job &) = delete;
    Job &operator=(const Job &) = delete;

    template<typename Work> void start(Work work, JobHandlers<Result> handlers);
    // For the jobs started from now on.
    void setOutOfMemory(QString message) { m_outOfMemory = std::move(message); }
    void drop();
    bool isRunning() const { return m_watcher != nullptr; }

private:
    using Outcome = JobOutcome<Result>;
    using Watcher = QFutureWatcher<Outcome>;

    template<typename Work>
    static void run(QPromise<Outcome> &promise, Work &work, std::stop_token stop,
                    const QString &outOfMemory);
    void deliver(Outcome outcome, const JobHandlers<Result> &handlers);

    QObject *m_owner;
    QString m_outOfMemory;
    std::stop_source m_stop;
    Watcher *m_watcher = nullptr; // the running job's, a child of the owner
};

template<typename Result>
template<typename Work>
void Job<Result>::run(QPromise<Outcome> &promise, Work &work, std::stop_token stop,
                      const QString &outOfMemory)
{
    try {
        if constexpr (handsOverEach<Work>()) {
            JobReport<Result> report(promise);
            work(std::move(stop), report);
        } else if constexpr (takesReport<Work>) {
            JobReport<Result> report(promise);
            promise.addResult(Outcome{work(std::move(stop), report), {}});
        } else {
            promise.addResult(Outcome{work(std::move(stop)), {}});
        }
    } catch (const WorkStopped &) {
        // Nobody waits for what a stopped job would have given.
    } catch (const std::bad_alloc &) {
        promise.addResult(Outcome{std::nullopt, outOfMemory});
    } catch (const std::exception &error) {
        promise.addResult(Outcome{std::nullopt, unexpectedJobFailure(&error)});
    } catch (...) {
        promise.addResult(Outcome{std::nullopt, unexpectedJobFailure(nullptr)});
    }
}

template<typename Result>
template<typename Work>
void Job<Result>::start(Work work, JobHandlers<Result> handlers)
{
    constexpr bool reports = handsOverEach<Work>();
    drop();
    m_stop = std::stop_source();
    auto *watcher = new Watcher(m_owner);
    m_watcher = watcher;
    if constexpr (reports) {
        QObject::connect(
            watcher, &QFutureWatcherBase::resultReadyAt, m_owner,
            [this, watcher, handlers](int index) { deliver(watcher->resultAt(index), handlers); });
    }
    if (handlers.progress)
        QObject::connect(watcher, &QFutureWatcherBase::progressValueChanged, m_owner,
                         handlers.progress);
    QObject::connect(watcher, &QFutureWatcherBase::finished, m_owner, [this, watcher, handlers] {
        std::optional<Outcome> last;
        if (!reports && watcher->future().resultCount() > 0)
            last = watcher->future().takeResult();
        // The job's results stay in its future until the watcher goes.
        watcher->deleteLater();
        m_watcher = nullptr;
        if (last)
            deliver(std::move(*last), handlers);
        if (handlers.finished)
            handlers.finished();
    });
    // The watcher watches before the work is queued: one attached to work already
    // under way could hear its progress before results handed over earlier.
    struct Queued
    {
        QPromise<Outcome> promise;
        Work work;
    };
    auto queued = std::make_shared<Queued>(QPromise<Outcome>(), std::move(work));
    watcher->setFuture(queued->promise.future());
    queued->promise.start();
    queued->promise.setProgressRange(0, 1000);
    workerPool().start([queued, stop = m_stop.get_token(), outOfMemory = m_outOfMemory] {
        run(queued->promise, queued->work, stop, outOfMemory);
        queued->promise.finish();
    });
}

template<typename Result>
void Job<Result>::deliver(Outcome outcome, const JobHandlers<Result> &handlers)
{
    if (outcome.result)
        handlers.done(std::move(*outcome.result));
    else
        handlers.failed(outcome.failure);
}

template<typename Result> void Job<Result>::drop()
{
    if (!m_watcher)
        return;
    m_stop.request_stop();
    m_watcher->disconnect(m_owner);
    m_watcher->deleteLater();
    m_watcher = nullptr;
}
