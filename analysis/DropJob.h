#pragma once

#include <QObject>
#include <stop_token>

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
