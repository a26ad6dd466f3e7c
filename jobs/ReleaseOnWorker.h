#pragma once

#include "WorkerPool.h"

#include <QThreadPool>
#include <utility>

// Lets go of a value on a worker thread: when it was the last to hold hundreds of
// megabytes (an index, a long text), handing them back to the system takes a noticeable
// time that the window's thread should not spend.
template<typename T> void releaseOnWorker(T value)
{
    workerPool().start([held = std::move(value)]() mutable { T().swap(held); });
}
