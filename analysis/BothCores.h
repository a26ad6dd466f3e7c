#pragma once

#include <QThreadPool>
#include <QtGlobal>
#include <exception>
#include <latch>

// Runs first here and second beside it on a free thread of the global pool, or after
// first on this thread when the pool has none free: work that already runs on the pool
// never waits for a thread the pool may not give (its threads all waiting so). What
// either throws comes out here once both have ended.
template<typename First, typename Second> void alongside(const First &first, const Second &second)
{
    std::exception_ptr secondFailure;
    // A standard latch rather than a Qt semaphore: ThreadSanitizer sees what it hands over.
    std::latch secondEnded(1);
    const bool besides = QThreadPool::globalInstance()->tryStart([&] {
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

// Runs work(begin, end) over [0, size) in two halves on two threads when size is large
// enough for a second thread to pay (each item taking stepsPerItem steps), else in one
// piece. What either half throws comes out here, once both have ended.
template<typename Work> void inTwoHalves(quint32 size, quint32 stepsPerItem, const Work &work)
{
    constexpr quint64 halvedFrom = 1u << 20;
    if (quint64(size) * stepsPerItem < halvedFrom) {
        work(quint32(0), size);
        return;
    }
    const quint32 middle = size / 2;
    alongside([&work, middle] { work(quint32(0), middle); },
              [&work, middle, size] { work(middle, size); });
}

template<typename Work> void inTwoHalves(quint32 size, const Work &work)
{
    inTwoHalves(size, 1, work);
}
