// Throughput of whole games without windows and of deals played out from the middle, the size of
// the engine's state, and the heap use of the timer steps and the play-outs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "autopilot.h"
#include "playout.h"
#include "save_format.h"
#include "sim_run.h"
#include "strong_player.h"
#include "table_draw.h"

namespace {

std::atomic<long> g_allocations{0};

}  // namespace

// Counting replacements of the global allocation functions. GCC cannot see that these pair up
// and warns about a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

void WholeGames(benchmark::State& state, morvel::GameMode mode) {
    morvel::sim::Options opt;
    opt.mode = mode;
    opt.games = 1;
    long deals = 0;
    uint32_t clock = 0;
    for (auto _ : state) {
        opt.clockStart = clock;
        clock = (clock + 7919) % 86400000u;
        deals += morvel::sim::Run(opt, nullptr).deals;
    }
    state.counters["deals_per_second"] =
        benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
}

void BM_NormalGame(benchmark::State& state) {
    WholeGames(state, morvel::GameMode::Normal);
}
void BM_ComplexGame(benchmark::State& state) {
    WholeGames(state, morvel::GameMode::Complex);
}
BENCHMARK(BM_NormalGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComplexGame)->Unit(benchmark::kMicrosecond);

// A host that answers at once, as the simulator's does.
struct QuietHost : morvel::Host {
    morvel::Game* game = nullptr;
    uint32_t clock = 1;
    void TimerIntervalChanged(morvel::TimerId, int) override {}
    void Beep() override {}
    uint32_t MillisecondOfDay() override { return clock = (clock + 13) % 86400000u; }
    void ShowNameDialog() override { game->AcceptName("Player1"); }
    void ShowChooseDialog() override { morvel::Autopilot(*game).AnswerChooseDialog(); }
    void ShowAllDialog() override { morvel::Autopilot(*game).AnswerAllDialog(); }
    void ShowResultSheet() override {}
    void ShowMessage(std::string_view) override {}
};

// A game past its start-up, as the table window starts it, with seat 1 played by the autopilot.
struct StartedGame {
    QuietHost host;
    morvel::Game game{host};
    morvel::Autopilot pilot{game};
    explicit StartedGame(morvel::GameMode mode) {
        host.game = &game;
        game.FormCreate();
        game.SetMode(mode);
        game.FormActivate();
    }
};

// A game stopped in the middle of its first deal of the kind asked for: a round contract or the
// layout contract, with `cards` cards already laid.
morvel::GameState MidDeal(morvel::GameMode mode, bool layout, int cards) {
    StartedGame started(mode);
    morvel::Game& game = started.game;
    morvel::Autopilot& pilot = started.pilot;
    for (;;) {
        const morvel::GameState& s = game.State();
        const morvel::Contract* playing = morvel::FindContract(game.CurrentContract());
        if (playing != nullptr && playing->layout == layout && !s.cgVisible &&
            s.dealCardCount >= cards) {
            return s;
        }
        pilot.Step();
    }
}

// Copies of a mid-deal state, each played to the end of its deal.
void Playouts(benchmark::State& state, morvel::GameMode mode, bool layout) {
    const morvel::GameState from = MidDeal(mode, layout, 20);
    morvel::Playout playout;
    uint32_t seed = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(playout.Run(from, seed++).gameScore);
    state.counters["playouts_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PlayoutNormalRounds(benchmark::State& state) {
    Playouts(state, morvel::GameMode::Normal, false);
}
void BM_PlayoutAllGame(benchmark::State& state) {
    Playouts(state, morvel::GameMode::Complex, false);
}
void BM_PlayoutLayout(benchmark::State& state) {
    Playouts(state, morvel::GameMode::Normal, true);
}
BENCHMARK(BM_PlayoutNormalRounds)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayoutAllGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayoutLayout)->Unit(benchmark::kMicrosecond);

// A strong player's question at its calibrated budget, at the person's turn with `cards` laid
// (0: the contract choice at the start of a deal).
void StrongQuestions(benchmark::State& state, morvel::GameMode mode, bool layout, int cards) {
    StartedGame started(mode);
    morvel::Game& game = started.game;
    for (;;) {
        const morvel::GameState& s = game.State();
        const morvel::Contract* playing = morvel::FindContract(game.CurrentContract());
        if (cards == 0 ? s.cgVisible
                       : playing != nullptr && playing->layout == layout && s.humanTurn &&
                             s.dealCardCount >= cards) {
            break;
        }
        started.pilot.Step();
    }
    const morvel::GameState at = game.State();
    morvel::StrongPlayer strong(morvel::StrongPlayer::kFixed);
    morvel::ScratchChance chance;
    for (auto _ : state) {
        if (cards == 0) {
            benchmark::DoNotOptimize(strong.ChooseContract(at, morvel::kHuman, chance));
        } else if (layout) {
            benchmark::DoNotOptimize(strong.LayoutMove(at, morvel::kHuman, chance));
        } else {
            benchmark::DoNotOptimize(strong.RoundCard(at, morvel::kHuman, chance));
        }
    }
}

void BM_StrongContract(benchmark::State& state) {
    StrongQuestions(state, morvel::GameMode::Normal, false, 0);
}
void BM_StrongRoundCard(benchmark::State& state) {
    StrongQuestions(state, morvel::GameMode::Normal, false, 2);
}
void BM_StrongAllGameCard(benchmark::State& state) {
    StrongQuestions(state, morvel::GameMode::Complex, false, 20);
}
void BM_StrongLayoutMove(benchmark::State& state) {
    StrongQuestions(state, morvel::GameMode::Normal, true, 4);
}
BENCHMARK(BM_StrongContract)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrongRoundCard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrongAllGameCard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrongLayoutMove)->Unit(benchmark::kMillisecond);
// A saved game: a position in the middle of a deal written as bytes, and read back with every
// check; and the whole table drawn from it, as a resumed game starts.
void BM_SaveGame(benchmark::State& state) {
    const morvel::GameState from = MidDeal(morvel::GameMode::Complex, false, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(morvel::EncodeGame(from));
}
void BM_LoadGame(benchmark::State& state) {
    const std::string bytes = morvel::EncodeGame(MidDeal(morvel::GameMode::Normal, false, 20));
    morvel::GameState read;
    for (auto _ : state)
        benchmark::DoNotOptimize(morvel::DecodeGame(bytes, read));
}
void BM_DrawTable(benchmark::State& state) {
    const morvel::GameState from = MidDeal(morvel::GameMode::Normal, true, 20);
    morvel::TableModel table;
    for (auto _ : state) {
        morvel::DrawTable(from, table);
        table.TakeChanges();
    }
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTable)->Unit(benchmark::kMicrosecond);

// Counts heap allocations made during the steps of whole games, after start-up, and during
// play-outs once the first has run.
void ReportMemory() {
    for (morvel::GameMode mode : {morvel::GameMode::Normal, morvel::GameMode::Complex}) {
        StartedGame started(mode);
        morvel::Autopilot& pilot = started.pilot;
        long steps = 0;
        const long before = g_allocations.load();
        for (int i = 0; i < 20000 && pilot.Step(); ++i)
            ++steps;
        const long allocations = g_allocations.load() - before;
        std::printf("%s: %ld steps, %ld heap allocations during the steps\n",
                    mode == morvel::GameMode::Normal ? "normal" : "complex", steps, allocations);
    }
    morvel::Playout playout;
    const morvel::GameState from = MidDeal(morvel::GameMode::Complex, false, 20);
    playout.Run(from, 0);
    const long before = g_allocations.load();
    for (uint32_t seed = 1; seed <= 1000; ++seed)
        playout.Run(from, seed);
    std::printf("play-outs: 1000, %ld heap allocations\n", g_allocations.load() - before);
    std::printf("engine state: %zu bytes (GameState)\n", sizeof(morvel::GameState));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReportMemory();
    return 0;
}
