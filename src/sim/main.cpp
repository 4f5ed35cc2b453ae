// morvel-sim: whole games of the real engine without windows, with an exact trace.
//   morvel-sim [--mode normal|complex] [--games N] [--clock START[:STEP]] [--trace] [--name NAME]
//              [--players standard|strong] [--seat1 standard|strong] [--steps S]
//              [--save-at K FILE] [--resume FILE]
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "game.h"
#include "sim_run.h"
#include "stats.h"
#include "strong_player.h"

namespace {

constexpr uint64_t kDayMilliseconds = 86400000u;

// Text from the command line as it may be echoed: in quotes, with the quote, the backslash, every
// control character (C0, DEL and C1) and every byte that is not well-formed UTF-8 escaped, so that
// it stays on one line and sends the terminal nothing but letters.
std::string Quoted(std::string_view text) {
    std::string out = "'";
    auto hex = [&out](const char* prefix, unsigned value, int digits) {
        static constexpr char kDigits[] = "0123456789abcdef";
        out += prefix;
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
            out += kDigits[(value >> shift) & 0xF];
    };
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\'' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\t') {
            out += "\\t";
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            hex("\\x", c, 2);
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else {
            // A well-formed UTF-8 sequence passes unless it is a C1 control.
            const size_t length = c >= 0xC2 && c < 0xE0   ? 2
                                  : c >= 0xE0 && c < 0xF0 ? 3
                                  : c >= 0xF0 && c < 0xF5 ? 4
                                                          : 0;
            uint32_t code = length == 0 ? 0 : c & (0x7Fu >> length);
            bool ok = length != 0 && i + length <= text.size();
            for (size_t k = 1; ok && k < length; ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                ok = (next & 0xC0) == 0x80;
                code = code << 6 | (next & 0x3F);
            }
            ok = ok &&
                 code >= (length == 2   ? 0x80u
                          : length == 3 ? 0x800u
                                        : 0x10000u) &&
                 code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            if (!ok) {
                hex("\\x", c, 2);
                ++i;
            } else if (code <= 0x9F) {
                hex("\\u", code, 4);
                i += length;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
        }
    }
    return out + "'";
}

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

// The trace on standard output; the first write that fails keeps its error.
class StandardOutput final : public morvel::sim::TraceOut {
  public:
    bool Write(std::string_view text) override {
        if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) return true;
        error_ = errno != 0 ? errno : EIO;
        return false;
    }
    // Everything written has reached the output; otherwise the error.
    int Finish() {
        if (error_ == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
            error_ = errno != 0 ? errno : EIO;
        }
        return error_;
    }

  private:
    int error_ = 0;
};

// A saved run is a few kilobytes; anything much larger is no saved run.
constexpr long kLargestRun = 1 << 20;

// The whole file, or a reason it cannot be read.
bool ReadRun(const std::string& path, std::string* bytes, std::string* why) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        *why = std::strerror(errno);
        return false;
    }
    char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0 &&
           bytes->size() <= static_cast<size_t>(kLargestRun))
        bytes->append(chunk, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) *why = "it cannot be read";
    if (bytes->size() > static_cast<size_t>(kLargestRun))
        *why = "it is too large to be a saved run";
    return why->empty();
}

bool WriteRun(const std::string& path, const std::string& bytes, std::string* why) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *why = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int error = errno;
    if (std::fclose(file) != 0 || !written) {
        *why = std::strerror(written ? errno : error);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    morvel::sim::Options opt;
    // A strong player plays a fixed number of deals out per question, so a clock gives the same
    // games every time.
    morvel::StrongPlayer strongSeat1(morvel::StrongPlayer::kFixed);
    morvel::StrongPlayer strongComputers(morvel::StrongPlayer::kFixed);
    auto player = [&](std::string_view flag, std::string_view name,
                      morvel::StrongPlayer& strong) -> morvel::Player* {
        if (name == "standard") return nullptr;
        if (name == "strong") return &strong;
        Refuse(std::string(flag) + " must be standard or strong, not " + Quoted(name));
    };
    opt.clockStart = MillisecondOfDayNow();
    std::string saveFile, resumeFile;
    std::string_view setting;  // a setting a resumed run takes from its file
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= argc) Refuse(Quoted(arg) + " needs a value");
            return argv[++i];
        };
        if (arg == "--mode") {
            setting = arg;
            const std::string_view mode = value();
            if (mode == "normal") {
                opt.mode = morvel::GameMode::Normal;
            } else if (mode == "complex") {
                opt.mode = morvel::GameMode::Complex;
            } else {
                Refuse("--mode must be normal or complex, not " + Quoted(mode));
            }
        } else if (arg == "--games") {
            setting = arg;
            const std::string_view text = value();
            uint64_t games = 0;
            if (!ParseNumber(text, 1000000000u, &games)) {
                Refuse("--games needs a whole number of games, not " + Quoted(text));
            }
            opt.games = static_cast<int>(games);
        } else if (arg == "--clock") {
            setting = arg;
            const std::string_view text = value();
            const size_t colon = text.find(':');
            uint64_t start = 0, step = 1;
            if (!ParseNumber(text.substr(0, colon), kDayMilliseconds, &start) ||
                (colon != std::string_view::npos &&
                 !ParseNumber(text.substr(colon + 1), kDayMilliseconds, &step))) {
                Refuse("--clock needs START[:STEP], milliseconds below 86400000, not " +
                       Quoted(text));
            }
            opt.clockStart = static_cast<uint32_t>(start);
            opt.clockStep = static_cast<uint32_t>(step);
        } else if (arg == "--trace") {
            opt.trace = true;
        } else if (arg == "--name") {
            setting = arg;
            opt.name = std::string(value());
        } else if (arg == "--players") {
            opt.computers = player(arg, value(), strongComputers);
        } else if (arg == "--seat1") {
            opt.seat1 = player(arg, value(), strongSeat1);
        } else if (arg == "--steps") {
            const std::string_view text = value();
            uint64_t steps = 0;
            if (!ParseNumber(text, 1000000000u, &steps) || steps == 0) {
                Refuse("--steps needs a whole number of steps above 0, not " + Quoted(text));
            }
            const morvel::StrongBudget budget{.steps = static_cast<int>(steps)};
            strongSeat1.SetBudget(budget);
            strongComputers.SetBudget(budget);
        } else if (arg == "--save-at") {
            const std::string_view text = value();
            if (!ParseNumber(text, 1000000000000000000u, &opt.saveAt) || opt.saveAt == 0) {
                Refuse("--save-at needs a trace line from 1, not " + Quoted(text));
            }
            saveFile = std::string(value());
        } else if (arg == "--resume") {
            resumeFile = std::string(value());
        } else {
            Refuse("unknown argument " + Quoted(arg));
        }
    }
    // The name dialog would refuse a computer player's name and never close.
    if (morvel::IsComputerName(morvel::StoredName(opt.name))) {
        Refuse("--name " + Quoted(opt.name) + " is a computer player's name");
    }
    // A saved run keeps the game's position, not a strong player's own generator: cut and
    // resumed, it would go on otherwise than the uncut run.
    if ((opt.seat1 != nullptr || opt.computers != nullptr) &&
        (opt.saveAt != 0 || !resumeFile.empty())) {
        Refuse(std::string(opt.saveAt != 0 ? "--save-at" : "--resume") +
               " cannot go with a strong player: its own generator is not saved");
    }
    std::string resumed;
    if (!resumeFile.empty()) {
        if (!setting.empty()) {
            Refuse(std::string(setting) + " cannot go with --resume: a resumed run keeps its own");
        }
        std::string why;
        if (!ReadRun(resumeFile, &resumed, &why)) {
            Refuse("cannot resume " + Quoted(resumeFile) + ": " + why);
        }
        opt.resume = resumed;
    }

    StandardOutput output;
    const std::clock_t cpuStarted = std::clock();
    const auto started = std::chrono::steady_clock::now();
    const morvel::sim::Result result = morvel::sim::Run(opt, &output);
    if (!result.refused.empty()) {
        Refuse("cannot resume " + Quoted(resumeFile) + ": " + result.refused);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStarted) / CLOCKS_PER_SEC;
    if (const int error = output.Finish(); error != 0 || result.traceLost) {
        std::fprintf(stderr, "morvel-sim: the trace could not be written to standard output: %s\n",
                     std::strerror(error != 0 ? error : EIO));
        return 1;
    }
    std::fprintf(stderr,
                 "games %d deals %d seconds %.6f deals_per_second %.0f cpu_seconds %.6f "
                 "deals_per_cpu_second %.0f",
                 result.games, result.deals, seconds, seconds > 0 ? result.deals / seconds : 0.0,
                 cpuSeconds, cpuSeconds > 0 ? result.deals / cpuSeconds : 0.0);
    // Each seat's mean game score, and the half-width of its 95 % confidence interval.
    for (int seat = 1; seat <= 4; ++seat) {
        const morvel::sim::MeanInterval m =
            morvel::sim::Mean95(result.scoreSum[seat], result.scoreSquares[seat], result.games);
        std::fprintf(stderr, " seat%d_mean %.1f seat%d_ci95 %.1f", seat, m.mean, seat, m.half);
    }
    morvel::DecisionTimes times = strongSeat1.Times();
    times.Add(strongComputers.Times());
    if (times.Count() != 0) {
        std::fprintf(stderr, " strong_decisions %lld median_ms %.1f p99_ms %.1f",
                     static_cast<long long>(times.Count()), times.Percentile(50),
                     times.Percentile(99));
    }
    std::fprintf(stderr, "\n");
    if (result.stuck) {
        std::fprintf(stderr, "morvel-sim: play stopped with nothing to do (clock %u)\n",
                     opt.clockStart);
        return 1;
    }
    if (opt.saveAt != 0) {
        std::string why;
        if (result.saved.empty()) {
            std::fprintf(stderr, "morvel-sim: the run ended at trace line %llu, before line %llu\n",
                         static_cast<unsigned long long>(result.lines),
                         static_cast<unsigned long long>(opt.saveAt));
            return 1;
        }
        if (!WriteRun(saveFile, result.saved, &why)) {
            std::fprintf(stderr, "morvel-sim: cannot write %s: %s\n", Quoted(saveFile).c_str(),
                         why.c_str());
            return 1;
        }
    }
    return 0;
}
