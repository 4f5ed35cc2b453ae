// morvel-sim: whole games of the real engine without windows, with an exact trace.
//   morvel-sim [--mode normal|complex] [--games N] [--clock START[:STEP]] [--trace] [--name NAME]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "game.h"
#include "sim_run.h"

namespace {

constexpr uint64_t kDayMilliseconds = 86400000u;

[[noreturn]] void Refuse(const std::string& message) {
    std::fprintf(stderr, "morvel-sim: %s\n", message.c_str());
    std::exit(2);
}

// A whole number of decimal digits only, below `limit`.
bool ParseNumber(std::string_view text, uint64_t limit, uint64_t* value) {
    if (text.empty() || text.size() > 18) return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    if (v >= limit) return false;
    *value = v;
    return true;
}

uint32_t MillisecondOfDayNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count() %
        static_cast<int64_t>(kDayMilliseconds));
}

}  // namespace

int main(int argc, char** argv) {
    morvel::sim::Options opt;
    opt.clockStart = MillisecondOfDayNow();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= argc) Refuse(std::string(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--mode") {
            const std::string_view mode = value();
            if (mode == "normal") {
                opt.mode = morvel::GameMode::Normal;
            } else if (mode == "complex") {
                opt.mode = morvel::GameMode::Complex;
            } else {
                Refuse("--mode must be normal or complex, not '" + std::string(mode) + "'");
            }
        } else if (arg == "--games") {
            const std::string_view text = value();
            uint64_t games = 0;
            if (!ParseNumber(text, 1000000000u, &games)) {
                Refuse("--games needs a whole number of games, not '" + std::string(text) + "'");
            }
            opt.games = static_cast<int>(games);
        } else if (arg == "--clock") {
            const std::string_view text = value();
            const size_t colon = text.find(':');
            uint64_t start = 0, step = 1;
            if (!ParseNumber(text.substr(0, colon), kDayMilliseconds, &start) ||
                (colon != std::string_view::npos &&
                 !ParseNumber(text.substr(colon + 1), kDayMilliseconds, &step))) {
                Refuse("--clock needs START[:STEP], milliseconds below 86400000, not '" +
                       std::string(text) + "'");
            }
            opt.clockStart = static_cast<uint32_t>(start);
            opt.clockStep = static_cast<uint32_t>(step);
        } else if (arg == "--trace") {
            opt.trace = true;
        } else if (arg == "--name") {
            opt.name = std::string(value());
        } else {
            Refuse("unknown argument '" + std::string(arg) + "'");
        }
    }
    // The name dialog would refuse a computer player's name and never close.
    if (morvel::IsComputerName(morvel::StoredName(opt.name))) {
        Refuse("--name '" + opt.name + "' is a computer player's name");
    }

    std::string trace;
    const auto started = std::chrono::steady_clock::now();
    const morvel::sim::Result result = morvel::sim::Run(opt, opt.trace ? &trace : nullptr);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fwrite(trace.data(), 1, trace.size(), stdout);
    std::fflush(stdout);
    std::fprintf(stderr, "games %d deals %d seconds %.6f deals_per_second %.0f\n", result.games,
                 result.deals, seconds, seconds > 0 ? result.deals / seconds : 0.0);
    if (result.stuck) {
        std::fprintf(stderr, "morvel-sim: play stopped with nothing to do (clock %u)\n",
                     opt.clockStart);
        return 1;
    }
    return 0;
}
