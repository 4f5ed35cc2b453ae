// Throughput of whole games without windows, the size of the engine's state, and the heap use of
// the timer steps.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "autopilot.h"
#include "sim_run.h"

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

// Counts heap allocations made during the steps of whole games, after start-up.
void ReportMemory() {
    for (morvel::GameMode mode : {morvel::GameMode::Normal, morvel::GameMode::Complex}) {
        QuietHost host;
        morvel::Game game(host);
        host.game = &game;
        game.FormCreate();
        game.SetMode(mode);
        game.FormActivate();
        morvel::Autopilot pilot(game);
        long steps = 0;
        const long before = g_allocations.load();
        for (int i = 0; i < 20000 && pilot.Step(); ++i)
            ++steps;
        const long allocations = g_allocations.load() - before;
        std::printf("%s: %ld steps, %ld heap allocations during the steps\n",
                    mode == morvel::GameMode::Normal ? "normal" : "complex", steps, allocations);
    }
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
