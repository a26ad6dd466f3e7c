#include "EventLoopGaps.h"

#include <algorithm>

namespace {

// Gaps below this are ordinary event handling and not kept one by one.
constexpr qint64 notableGapMs = 20;
constexpr int tickMs = 2;

} // namespace

EventLoopGaps::EventLoopGaps(QObject *parent)
    : QObject(parent)
{
    // A zero interval would fire on every pass of the loop, and keep a core busy that the
    // app's workers need: a few milliseconds apart, precise, it costs nothing and still
    // sees every gap worth reporting.
    m_timer.setInterval(tickMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &EventLoopGaps::turn);
}

void EventLoopGaps::start()
{
    m_longestGapMs = 0;
    m_gapsMs.clear();
    m_clock.start();
    m_lastTurnMs = 0;
    m_timer.start();
}

void EventLoopGaps::stop()
{
    turn();
    m_timer.stop();
}

int EventLoopGaps::gapsLongerThan(qint64 thresholdMs) const
{
    return int(std::count_if(m_gapsMs.cbegin(), m_gapsMs.cend(),
                             [thresholdMs](qint64 gap) { return gap > thresholdMs; }));
}

void EventLoopGaps::turn()
{
    const qint64 now = m_clock.elapsed();
    // The time the loop was kept from its turn, past the tick it waited for anyway.
    const qint64 gap = std::max<qint64>(now - m_lastTurnMs - tickMs, 0);
    m_lastTurnMs = now;
    m_longestGapMs = std::max(m_longestGapMs, gap);
    if (gap >= notableGapMs)
        m_gapsMs.append(gap);
}
