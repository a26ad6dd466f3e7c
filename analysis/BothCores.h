#pragma once

#include <QtGlobal>
#include <future>

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
    auto later = std::async(std::launch::async, [&second] { second(); });
    try {
        first();
    } catch (...) {
        later.wait();
        throw;
    }
    later.get();
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
