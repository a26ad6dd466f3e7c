#pragma once

#include <QtGlobal>
#include <future>

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
    auto later = std::async(std::launch::async, [&work, middle, size] { work(middle, size); });
    try {
        work(quint32(0), middle);
    } catch (...) {
        later.wait();
        throw;
    }
    later.get();
}

template<typename Work> void inTwoHalves(quint32 size, const Work &work)
{
    inTwoHalves(size, 1, work);
}
