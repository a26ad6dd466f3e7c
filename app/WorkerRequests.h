#pragma once

#include <QObject>
#include <QtConcurrent>
#include <type_traits>
#include <utility>

// Runs jobs on the thread pool and hands each result back on this object's thread, but
// only while no newer job has been started: a newer request supersedes an older one,
// whose result is dropped unseen. The busy cursor shows while any job runs.
//
// A job must own everything it reads (copies of implicitly shared values are fine) and
// return a value that nothing else refers to, so no data is shared between threads.
class WorkerRequests : public QObject
{
    Q_OBJECT

public:
    explicit WorkerRequests(QObject *parent = nullptr);
    ~WorkerRequests() override;

    template<typename Job, typename Done> void run(Job job, Done done)
    {
        using Result = std::invoke_result_t<Job>;
        const quint64 request = ++m_latestRequest;
        jobStarted();
        // A watcher reports through the event loop even when the job is done before
        // it is watched, so a result never arrives inside run().
        auto *watcher = new QFutureWatcher<Result>(this);
        connect(watcher, &QFutureWatcherBase::finished, this,
                [this, watcher, request, done = std::move(done)] {
                    watcher->deleteLater();
                    jobEnded();
                    if (request == m_latestRequest)
                        done(watcher->result());
                });
        watcher->setFuture(QtConcurrent::run(std::move(job)));
    }

    bool isBusy() const { return m_runningJobs > 0; }

signals:
    void busyChanged(bool busy);

private:
    void jobStarted();
    void jobEnded();

    quint64 m_latestRequest = 0;
    int m_runningJobs = 0;
};
