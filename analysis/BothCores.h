#pragma once

#include "WorkerPool.h"

#include <QThreadPool>
#include <QtGlobal>
#include <exception>
#include <latch>

// Runs first here and second beside it on a free thread of the worker pool, or after
// first on this thread when the pool has none free: work that already runs on the pool
// never waits for a thread the pool may not give (its threads all waiting so). What
// either throws comes out here once both have ended.
template<typename First, typename Second> void alongside(const First &first, const Second &second)
{
    std::exception_ptr secondFailure;
    // A standard latch rather than a Qt semaphore: ThreadSanitizer sees what it hands over.
    std::latch secondEnded(1);
    const bool besides = workerPool().tryStart([&] {
        try {
            second();
        } catch (...) {
            secondFailure = std::current_exception();
        }
        secondEnded.count_down();
    });
    try {
        first();
    } catch (...) {
        if (besides)
            secondEnded.wait();
        throw;
    }
    if (!besides) {
        second();
        return;
    }
    secondEnded.wait();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
}

// Below so many steps of work a second thread costs more than it saves.
inline constexpr quint64 twoThreadsFrom = 1u << 20;

// Runs first and second on two threads when they take steps steps together, enough for
// a second thread to pay, else one after the other. What either throws comes out here,
// once both have ended.
template<typename First, typename Second>
void bothAtOnce(quint64 steps, const First &first, const Second &second)
{
    if (steps < twoThreadsFrom) {
        first();
        second();
        return;
    }
    alongside(first, second);
}

// Runs work(begin, end) over [0, size) in two halves on two threads when size is large
// enough for a second thread to pay (each item taking stepsPerItem steps), else in one
// piece.
template<typename Work> void inTwoHalves(quint32 size, quint32 stepsPerItem, const Work &work)
{
    const quint64 steps = quint64(size) * stepsPerItem;
    const quint32 middle = size / 2;
    if (steps < twoThreadsFrom) {
        work(quint32(0), size);
        return;
    }
    bothAtOnce(
        steps, [&work, middle] { work(quint32(0), middle); },
        [&work, middle, size] { work(middle, size); });
}

template<typename Work> void inTwoHalves(quint32 size, const Work &work)
{
    inTwoHalves(size, 1, work);
}
