#pragma once

#include <QtGlobal>
#include <atomic>
#include <latch>

// This thread and, once the worker pool has a thread free, a helper that stays until the
// team is destroyed: for loops of many short rounds of work that can be shared, where
// starting a thread for each round would cost more than the round. Each round's pieces
// go to whichever thread is free first; this thread never waits for the helper to come,
// only for pieces it has taken, so a pool with no thread free leaves all the work here.
class WorkTeam
{
public:
    // Without a helper wanted, every round runs on this thread alone.
    explicit WorkTeam(bool helperWanted);
    ~WorkTeam();

    WorkTeam(const WorkTeam &) = delete;
    WorkTeam &operator=(const WorkTeam &) = delete;

    // Runs work(piece) for every piece in [0, pieces) and returns once all have run.
    // work must not throw: a piece the helper runs has nowhere to throw to.
    template<typename Work> void share(quint32 pieces, const Work &work)
    {
        m_work = &work;
        m_run = [](const void *shared, quint32 piece) noexcept {
            (*static_cast<const Work *>(shared))(piece);
        };
        runRound(pieces);
    }

private:
    void runRound(quint32 pieces);
    void recruit();
    void serve();
    // Takes a piece of round, which word last said, and runs it; false when none is left.
    bool runPieceOf(quint64 &word);

    // A round's number, its count of pieces and the next piece to take, in one word so
    // that a piece is taken from the round it belongs to or not at all.
    static constexpr quint64 roundShift = 32;
    static constexpr quint64 piecesShift = 16;
    static constexpr quint64 pieceMask = 0xFFFF;
    std::atomic<quint64> m_round{0};
    std::atomic<quint32> m_piecesDone{0};
    std::atomic<bool> m_dismissed{false};
    // Set before a round is published and read only by whoever takes one of its pieces.
    const void *m_work = nullptr;
    void (*m_run)(const void *, quint32) noexcept = nullptr;
    bool m_helperWanted;
    bool m_helperCame = false;
    std::latch m_helperLeft{1};
};
