#include "WorkTeam.h"

#include "WorkerPool.h"

#include <QThreadPool>
#include <thread>

namespace {

// Rounds follow each other within microseconds, far sooner than a sleeping thread wakes:
// the helper and the waiting leader spin this many times before they give way.
constexpr int spinsBeforeGivingWay = 1 << 14;

void spinPause()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

} // namespace

WorkTeam::WorkTeam(bool helperWanted)
    : m_helperWanted(helperWanted)
{}

WorkTeam::~WorkTeam()
{
    if (!m_helperCame)
        return;
    m_dismissed.store(true, std::memory_order_relaxed);
    // A round of no pieces wakes the helper to find itself dismissed.
    const quint64 round = (m_round.load(std::memory_order_relaxed) >> roundShift) + 1;
    m_round.store(round << roundShift, std::memory_order_release);
    m_round.notify_one();
    m_helperLeft.wait();
}

void WorkTeam::runRound(quint32 pieces)
{
    Q_ASSERT(pieces <= pieceMask);
    recruit();
    const quint64 round = (m_round.load(std::memory_order_relaxed) >> roundShift) + 1;
    m_piecesDone.store(0, std::memory_order_relaxed);
    quint64 word = round << roundShift | quint64(pieces) << piecesShift;
    m_round.store(word, std::memory_order_release);
    if (m_helperCame)
        m_round.notify_one();
    while (runPieceOf(word)) {
    }
    for (int spins = 0; m_piecesDone.load(std::memory_order_acquire) != pieces;) {
        if (spins < spinsBeforeGivingWay) {
            ++spins;
            spinPause();
        } else {
            std::this_thread::yield();
        }
    }
}

void WorkTeam::recruit()
{
    if (m_helperWanted && !m_helperCame)
        m_helperCame = workerPool().tryStart([this] { serve(); });
}

bool WorkTeam::runPieceOf(quint64 &word)
{
    while ((word & pieceMask) < ((word >> piecesShift) & pieceMask)) {
        if (m_round.compare_exchange_weak(word, word + 1, std::memory_order_acquire)) {
            m_run(m_work, quint32(word & pieceMask));
            m_piecesDone.fetch_add(1, std::memory_order_release);
            ++word;
            return true;
        }
    }
    return false;
}

void WorkTeam::serve()
{
    quint64 word = m_round.load(std::memory_order_acquire);
    for (;;) {
        while (runPieceOf(word)) {
        }
        // The word changes after the helper is dismissed: a wait never misses it.
        if (m_dismissed.load(std::memory_order_relaxed))
            break;
        const quint64 seen = word;
        for (int spin = 0; spin < spinsBeforeGivingWay && word == seen; ++spin) {
            spinPause();
            word = m_round.load(std::memory_order_acquire);
        }
        if (word == seen) {
            m_round.wait(seen, std::memory_order_acquire);
            word = m_round.load(std::memory_order_acquire);
        }
    }
    m_helperLeft.count_down();
}
