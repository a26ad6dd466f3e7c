#pragma once

#include <cstddef>
#include <stop_token>

// Thrown out of long work once its stop has been requested, and caught where the work
// was started: deep loops (suffix sorting recurses) need no result checks on the way out.
struct WorkStopped
{
};

// What a long loop calls once per step. Reading the stop token's shared state every
// step would cost more than many steps do, so it is read once every few thousand; a
// step is far below a microsecond, so a stop still takes effect within a millisecond.
class StopCheck
{
public:
    explicit StopCheck(std::stop_token token = {})
        : m_token(std::move(token))
    {}

    void operator()()
    {
        if (--m_countdown == 0) {
            m_countdown = interval;
            throwIfStopped();
        }
    }

    // For the hottest loops, where updating the countdown in memory at every step shows:
    // checks when step, counted by the loop, is a multiple of the interval.
    void atStep(std::size_t step) const
    {
        if (step % interval == 0)
            throwIfStopped();
    }

    void throwIfStopped() const
    {
        if (m_token.stop_requested())
            throw WorkStopped();
    }

private:
    static constexpr unsigned interval = 1u << 14;

    std::stop_token m_token;
    unsigned m_countdown = interval;
};
