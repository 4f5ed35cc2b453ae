// Many whole games of both modes with many clocks, built with the address and undefined-behaviour
// sanitizers, checking the game's invariants after every event.
#include <gtest/gtest.h>

#include <cstdlib>

#include "invariants.h"
#include "sim_run.h"

namespace morvel {
namespace {

using testing::Invariants;

// Clocks per mode; `./morvel soak N` runs a longer soak with MORVEL_SOAK_CLOCKS=N.
uint32_t SoakClocks() {
    const char* text = std::getenv("MORVEL_SOAK_CLOCKS");
    const long clocks = text != nullptr ? std::strtol(text, nullptr, 10) : 0;
    return clocks > 0 ? static_cast<uint32_t>(clocks) : 1000u;
}

TEST(Soak, WholeGamesKeepTheirInvariants) {
    int games = 0;
    const uint32_t clocks = SoakClocks();
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t i = 0; i < clocks; ++i) {
            sim::Options opt;
            opt.mode = mode;
            opt.games = 2;
            opt.clockStart = (i * 2654435761u) % 86400000u;
            opt.clockStep = i % 5 == 0 ? 0 : 1 + i % 97;
            Invariants check(mode);
            check.clock = opt.clockStart;
            check.checkSaves = i % 100 == 0;
            const sim::Result r = sim::Run(opt, nullptr, &check);
            ASSERT_FALSE(r.stuck) << check.Where();
            ASSERT_EQ(r.games, 2) << check.Where();
            ASSERT_EQ(r.deals, mode == GameMode::Normal ? 40 : 16) << check.Where();
            if (::testing::Test::HasFatalFailure()) return;
            games += r.games;
        }
    }
    EXPECT_EQ(games, static_cast<int>(4 * clocks));
}

TEST(Soak, TheSameClockGivesTheSameTrace) {
    for (uint32_t clock : {0u, 999u, 43200000u, 86399999u}) {
        sim::Options opt;
        opt.mode = clock % 2 ? GameMode::Complex : GameMode::Normal;
        opt.clockStart = clock;
        opt.trace = true;
        sim::StringTrace first, second;
        sim::Run(opt, &first);
        sim::Run(opt, &second);
        EXPECT_EQ(first.Text(), second.Text()) << "clock " << clock;
        EXPECT_GT(first.Text().size(), 1000u);
    }
}

}  // namespace
}  // namespace morvel
