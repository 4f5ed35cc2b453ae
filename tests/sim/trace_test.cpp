// The simulator's trace against committed traces, line by line.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "players.h"
#include "sim_run.h"

namespace morvel {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ExpectSameLines(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected), a(actual);
    std::string el, al;
    int line = 0;
    while (true) {
        const bool more = static_cast<bool>(std::getline(e, el));
        const bool moreActual = static_cast<bool>(std::getline(a, al));
        ++line;
        ASSERT_EQ(more, moreActual) << "the traces differ in length at line " << line;
        if (!more) break;
        ASSERT_EQ(el, al) << "line " << line;
    }
}

TEST(Trace, NormalGameMatchesTheCommittedTrace) {
    sim::Options opt;
    opt.clockStart = 0;
    opt.clockStep = 1;
    opt.trace = true;
    sim::StringTrace trace;
    sim::Run(opt, &trace);
    ExpectSameLines(ReadFile(MORVEL_TRACE_DIR "/normal-clock-0.txt"), trace.Text());
}

TEST(Trace, ComplexGameMatchesTheCommittedTrace) {
    sim::Options opt;
    opt.mode = GameMode::Complex;
    opt.clockStart = 43200000;
    opt.clockStep = 250;
    opt.name = "Ahmad";
    opt.trace = true;
    sim::StringTrace trace;
    sim::Run(opt, &trace);
    ExpectSameLines(ReadFile(MORVEL_TRACE_DIR "/complex-clock-43200000-250.txt"), trace.Text());
}

// Answers as the standard player does, and counts the seats it is asked for.
class CountingPlayer final : public Player {
  public:
    int RoundCard(const GameState& s, int seat, Chance& chance) override {
        ++asked[seat];
        return Standard().RoundCard(s, seat, chance);
    }
    char ChooseContract(const GameState& s, int seat, Chance& chance) override {
        ++asked[seat];
        return Standard().ChooseContract(s, seat, chance);
    }
    int LayoutMove(const GameState& s, int seat, Chance& chance) override {
        ++asked[seat];
        return Standard().LayoutMove(s, seat, chance);
    }
    std::array<int, 5> asked{};
};

// Players plug in for seat 1 and for the computer seats; players that answer as the standard one
// leave the trace as it is.
TEST(Trace, PlayersPlugInBySeat) {
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        sim::Options opt;
        opt.mode = mode;
        opt.clockStart = 31337;
        opt.clockStep = 17;
        opt.trace = true;
        sim::StringTrace standard, plugged;
        sim::Run(opt, &standard);
        CountingPlayer seatOne, others;
        opt.seat1 = &seatOne;
        opt.computers = &others;
        sim::Run(opt, &plugged);
        EXPECT_EQ(plugged.Text(), standard.Text());
        EXPECT_GT(seatOne.asked[1], 0);
        EXPECT_EQ(others.asked[1], 0);
        for (int seat = 2; seat <= 4; ++seat) {
            EXPECT_EQ(seatOne.asked[seat], 0);
            EXPECT_GT(others.asked[seat], 0);
        }
    }
}

// Hashes the trace as it comes (64-bit FNV-1a), keeping none of it.
class TraceDigest final : public sim::TraceOut {
  public:
    bool Write(std::string_view text) override {
        for (const char c : text) {
            hash_ ^= static_cast<unsigned char>(c);
            hash_ *= 0x100000001b3u;
        }
        return true;
    }
    uint64_t Value() const { return hash_; }

  private:
    uint64_t hash_ = 0xcbf29ce484222325u;
};

// A thousand clocks of a mode, with steps of 0, small and large: each run's trace must hash to the
// digest recorded for it.
void ExpectRecordedDigests(std::string_view wanted) {
    std::ifstream in(MORVEL_TRACE_DIR "/trace-digests.txt");
    ASSERT_TRUE(in) << "cannot read trace-digests.txt";
    std::string line;
    int runs = 0, failures = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string mode;
        sim::Options opt;
        uint64_t expected = 0;
        fields >> mode >> opt.clockStart >> opt.clockStep >> opt.games >> std::hex >> expected;
        ASSERT_TRUE(fields && (mode == "normal" || mode == "complex")) << "bad line: " << line;
        if (mode != wanted) continue;
        opt.mode = mode == "normal" ? GameMode::Normal : GameMode::Complex;
        opt.trace = true;
        TraceDigest digest;
        sim::Run(opt, &digest);
        ++runs;
        if (digest.Value() == expected) continue;
        ADD_FAILURE() << mode << " clock " << opt.clockStart << ":" << opt.clockStep << ", "
                      << opt.games << " game(s): the trace changed; see it with morvel-sim --mode "
                      << mode << " --games " << opt.games << " --clock " << opt.clockStart << ":"
                      << opt.clockStep << " --trace";
        ASSERT_LT(++failures, 10) << "stopping after ten changed traces";
    }
    EXPECT_EQ(runs, 1000);
}

TEST(Trace, EveryRecordedNormalClockKeepsItsTrace) {
    ExpectRecordedDigests("normal");
}

TEST(Trace, EveryRecordedComplexClockKeepsItsTrace) {
    ExpectRecordedDigests("complex");
}

}  // namespace
}  // namespace morvel
