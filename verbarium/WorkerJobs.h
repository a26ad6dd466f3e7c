#pragma once

#include "StopCheck.h"

#include <QObject>
#include <QString>
#include <QtConcurrent/QtConcurrentRun>
#include <new>
#include <stop_token>
#include <type_traits>

// Drops a job's watcher, so that nothing of the job reaches owner any more, and asks the
// job to stop; a newer job takes its place, or none.
template<typename Watcher> void dropJob(Watcher *&watcher, std::stop_source &stop, QObject *owner)
{
    if (!watcher)
        return;
    stop.request_stop();
    watcher->disconnect(owner);
    watcher->deleteLater();
    watcher = nullptr;
}

// Runs work(stop) on the pool. Stopped, it hands back an empty result (nobody waits for
// it by then); out of memory, one whose failure is outOfMemory.
template<typename Work> auto runStoppable(Work work, std::stop_token stop, QString outOfMemory)
{
    using Result = std::invoke_result_t<const Work &, std::stop_token>;
    return QtConcurrent::run([work = std::move(work), stop = std::move(stop),
                              outOfMemory = std::move(outOfMemory)]() -> Result {
        try {
            return work(stop);
        } catch (const WorkStopped &) {
            return {};
        } catch (const std::bad_alloc &) {
            Result failed;
            failed.failure = outOfMemory;
            return failed;
        }
    });
}
