#include "WorkTeam.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// Rounds follow each other faster than the helper wakes, and a piece of one round must
// never be run with another's work, nor run twice or not at all.
TEST(WorkTeam, RunsEveryPieceOnceInEveryRound)
{
    for (const bool helperWanted : {false, true}) {
        WorkTeam team(helperWanted);
        for (quint32 round = 0; round < 3000; ++round) {
            const quint32 pieces = 1 + round % 17;
            std::vector<std::atomic<quint32>> runs(pieces);
            team.share(pieces, [&](quint32 piece) { runs[piece].fetch_add(1); });
            for (quint32 piece = 0; piece < pieces; ++piece)
                ASSERT_EQ(runs[piece].load(), 1u) << "round " << round << ", piece " << piece;
        }
    }
}

TEST(WorkTeam, WithoutAHelperRunsEverythingHere)
{
    WorkTeam team(false);
    const std::thread::id here = std::this_thread::get_id();
    std::atomic<bool> elsewhere = false;
    for (int round = 0; round < 100; ++round)
        team.share(8,
                   [&](quint32) { elsewhere = elsewhere || std::this_thread::get_id() != here; });
    EXPECT_FALSE(elsewhere);
}

} // namespace
