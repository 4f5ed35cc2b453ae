// morvel-strength: how much better the strong player does than the standard one, measured on
// pairs of games from the same clocks. For each clock one game is played with seat 1 standard and
// one with seat 1 strong, seats 2 to 4 standard in both; seat 1's final game scores are compared.
//   morvel-strength [--mode normal|complex|both] [--games N] [--threads T] [--steps S]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "sim_run.h"
#include "stats.h"
#include "strong_player.h"

namespace {

using morvel::GameMode;

// Game k starts from its own clock, spread over the day; within a game the clock moves on a few
// seconds between readings, as it would in play.
constexpr uint32_t kClockSpacing = 432000;
constexpr uint32_t kClockStep = 7919;

// The processor time of the calling thread: on a machine busy with other work, what a question
// costs on a core of its own.
std::chrono::microseconds ThreadTime() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::microseconds(static_cast<int64_t>(t.tv_sec) * 1000000 + t.tv_nsec / 1000);
}

// The strong player, with the processor time of each question it weighs.
class Timed final : public morvel::Player {
  public:
    explicit Timed(morvel::StrongPlayer& strong) : strong_(strong) {}
    int RoundCard(const morvel::GameState& s, int seat, morvel::Chance& chance) override {
        return Time([&] { return strong_.RoundCard(s, seat, chance); });
    }
    char ChooseContract(const morvel::GameState& s, int seat, morvel::Chance& chance) override {
        return Time([&] { return strong_.ChooseContract(s, seat, chance); });
    }
    int LayoutMove(const morvel::GameState& s, int seat, morvel::Chance& chance) override {
        return Time([&] { return strong_.LayoutMove(s, seat, chance); });
    }
    morvel::DecisionTimes processor;

  private:
    template <typename Ask>
    auto Time(Ask ask) -> decltype(ask()) {
        const int64_t weighed = strong_.Times().Count();
        const std::chrono::microseconds started = ThreadTime();
        const auto answer = ask();
        if (strong_.Times().Count() != weighed) processor.Add(ThreadTime() - started);
        return answer;
    }
    morvel::StrongPlayer& strong_;
};

struct Pair {
    int32_t standard = 0;
    int32_t strong = 0;
    morvel::DecisionTimes times;      // as the strong player's own steady clock saw them
    morvel::DecisionTimes processor;  // processor time of the same questions
};

int32_t SeatOneScore(GameMode mode, uint32_t clock, morvel::Player* seat1) {
    morvel::sim::Options opt;
    opt.mode = mode;
    opt.games = 1;
    opt.clockStart = clock;
    opt.clockStep = kClockStep;
    opt.seat1 = seat1;
    return morvel::sim::Run(opt, nullptr).lastScores[1];
}

void Measure(GameMode mode, int games, int threads, int steps) {
    std::vector<Pair> pairs(static_cast<size_t>(games));
    std::atomic<int> next{0};
    auto work = [&] {
        morvel::StrongPlayer strong(morvel::StrongBudget{.steps = steps});
        for (int k = next++; k < games; k = next++) {
            const uint32_t clock =
                static_cast<uint32_t>(static_cast<uint64_t>(k) * kClockSpacing % 86400000u);
            Pair& pair = pairs[static_cast<size_t>(k)];
            pair.standard = SeatOneScore(mode, clock, nullptr);
            strong.Seed(static_cast<uint64_t>(k) + 1);  // the same games whatever the threads
            strong.ClearTimes();
            Timed timed(strong);
            pair.strong = SeatOneScore(mode, clock, &timed);
            pair.times = strong.Times();
            pair.processor = timed.processor;
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();

    double sum = 0, squares = 0, strongSum = 0, standardSum = 0;
    morvel::DecisionTimes times, processor;
    for (const Pair& p : pairs) {
        const double d = p.strong - p.standard;
        sum += d;
        squares += d * d;
        strongSum += p.strong;
        standardSum += p.standard;
        times.Add(p.times);
        processor.Add(p.processor);
    }
    const morvel::sim::MeanInterval diff = morvel::sim::Mean95(sum, squares, games);
    std::printf(
        "%s: %d games; seat 1 mean game score strong %.1f, standard %.1f; difference %+.1f, "
        "95%% confidence interval %+.1f .. %+.1f\n"
        "  strong decisions %lld: median %.1f ms, 99th percentile %.1f ms, longest %.1f ms\n"
        "  processor time of each: median %.1f ms, 99th percentile %.1f ms, longest %.1f ms\n",
        mode == GameMode::Normal ? "NORMAL" : "COMPLEX", games, strongSum / games,
        standardSum / games, diff.mean, diff.mean - diff.half, diff.mean + diff.half,
        static_cast<long long>(times.Count()), times.Percentile(50), times.Percentile(99),
        times.Percentile(100), processor.Percentile(50), processor.Percentile(99),
        processor.Percentile(100));
    std::fflush(stdout);
}

[[noreturn]] void Usage(const std::string& problem) {
    std::fprintf(stderr,
                 "morvel-strength: %s\nusage: morvel-strength [--mode normal|complex|both] "
                 "[--games N] [--threads T] [--steps S]\n",
                 problem.c_str());
    std::exit(2);
}

int Number(std::string_view text, int low, int high) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > high) return -1;
        value = value * 10 + (c - '0');
    }
    return text.empty() || value < low || value > high ? -1 : value;
}

}  // namespace

int main(int argc, char** argv) {
    bool normal = true, complex = true;
    int games = 200;
    int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    int steps = morvel::StrongPlayer::kCalibratedSteps;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) Usage("unknown or incomplete argument " + std::string(arg));
        const std::string_view value = argv[++i];
        if (arg == "--mode") {
            normal = value == "normal" || value == "both";
            complex = value == "complex" || value == "both";
            if (!normal && !complex) Usage("--mode must be normal, complex or both");
        } else if (arg == "--games") {
            if ((games = Number(value, 1, 1000000)) < 0) Usage("--games needs a number");
        } else if (arg == "--threads") {
            if ((threads = Number(value, 1, 64)) < 0) Usage("--threads needs a number");
        } else if (arg == "--steps") {
            if ((steps = Number(value, 1, 100000000)) < 0) Usage("--steps needs a number");
        } else {
            Usage("unknown argument " + std::string(arg));
        }
    }
    std::printf(
        "seat 1 strong (%d steps of deals played out a question) against seat 1 standard, seats 2 "
        "to 4 standard, %d thread(s)\n",
        steps, threads);
    if (normal) Measure(GameMode::Normal, games, threads, steps);
    if (complex) Measure(GameMode::Complex, games, threads, steps);
    return 0;
}
