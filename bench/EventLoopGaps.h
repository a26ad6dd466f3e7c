#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Records how long the event loop of the calling thread goes without a turn: a timer
// that fires every two milliseconds notes how much later than that each firing came.
// The longest such gap is the longest time the window could not repaint or answer input.
class EventLoopGaps : public QObject
{
    Q_OBJECT

public:
    explicit EventLoopGaps(QObject *parent = nullptr);

    // Forgets the gaps so far and starts recording.
    void start();
    void stop();

    qint64 longestGapMs() const { return m_longestGapMs; }
    // How many gaps were longer than thresholdMs since start().
    int gapsLongerThan(qint64 thresholdMs) const;

private:
    void turn();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastTurnMs = 0;
    qint64 m_longestGapMs = 0;
    QList<qint64> m_gapsMs; // every gap of 20 ms or more, in order
};
