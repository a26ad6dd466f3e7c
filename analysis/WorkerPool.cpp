#include "WorkerPool.h"

#include <QThread>
#include <QThreadPool>

QThreadPool &workerPool()
{
    static QThreadPool *const pool = [] {
        auto *threads = new QThreadPool;
        threads->setMaxThreadCount(QThread::idealThreadCount());
        return threads;
    }();
    return *pool;
}
