// The saved-game loader fed files that were damaged on the way: positions of real games with bits
// flipped, bytes changed, inserted, deleted, swapped or spliced in from another file, and files
// cut short; built with the address and undefined-behaviour sanitizers. Each file is refused, or
// loads into a position that keeps the soak's invariants, reads back as itself, and plays on
// through the end of its deal and into the next one without a fault.
//
// MORVEL_SAVE_FUZZ_FILES sets how many files (`./morvel soak` runs 100,000); MORVEL_SAVE_FUZZ_SEED
// replays another run.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "autopilot.h"
#include "invariants.h"
#include "position_check.h"
#include "random_person.h"
#include "save_format.h"

namespace morvel {
namespace {

uint64_t FromEnvironment(const char* name, uint64_t fallback) {
    const char* text = std::getenv(name);
    const long long v = text != nullptr ? std::strtoll(text, nullptr, 10) : 0;
    return v > 0 ? static_cast<uint64_t>(v) : fallback;
}

// Answers every window at once; its clock reads a generator's draws.
class QuickHost final : public Host {
  public:
    void TimerIntervalChanged(TimerId, int) override {}
    void Beep() override {}
    uint32_t MillisecondOfDay() override { return static_cast<uint32_t>(clock_.Draw(86400000)); }
    void ShowNameDialog() override { game->AcceptName("Player1"); }
    void ShowChooseDialog() override { Autopilot(*game).AnswerChooseDialog(); }
    void ShowAllDialog() override { Autopilot(*game).AnswerAllDialog(); }
    void ShowResultSheet() override { ++sheets; }
    void ShowMessage(std::string_view) override {}
    void Seed(uint32_t seed) { clock_.Seed(seed); }

    Game* game = nullptr;
    int sheets = 0;

  private:
    Random clock_;
};

struct Table {
    Table() { host.game = &game; }
    QuickHost host;
    Game game{host};
};

// Positions of whole games, standard and random play, both modes: the files to damage.
std::vector<std::string> Seeds() {
    std::vector<std::string> seeds;
    for (GameMode mode : {GameMode::Normal, GameMode::Complex}) {
        for (uint32_t clock : {3u, 50000000u}) {
            for (bool random : {false, true}) {
                Table t;
                testing::RandomPlayer person(clock);
                t.host.Seed(clock);
                t.game.FormCreate();
                t.game.SetMode(mode);
                t.game.FormActivate();
                Autopilot pilot(t.game, random ? static_cast<Player&>(person) : Standard());
                for (int step = 0; step < 2500; ++step) {
                    if (step % 23 == 0) seeds.push_back(EncodeGame(t.game.State()));
                    if (!pilot.Step()) break;
                }
            }
        }
    }
    return seeds;
}

class Damage {
  public:
    Damage(const std::vector<std::string>& seeds, uint32_t seed) : seeds_(seeds) {
        random_.Seed(seed);
    }

    std::string Next() {
        std::string bytes = seeds_[Pick(seeds_.size())];
        const int changes = 1 + random_.Draw(3);
        for (int c = 0; c < changes && !bytes.empty(); ++c)
            Change(bytes);
        return bytes;
    }

  private:
    size_t Pick(size_t n) { return static_cast<size_t>(random_.Draw(static_cast<int>(n))); }
    char Byte() { return static_cast<char>(random_.Draw(256)); }

    void Change(std::string& bytes) {
        // Values a field is likely to hold or to be just past.
        static constexpr char kTelling[] = {0,   1,   2,   4,   5,   6,   13,     14,
                                            15,  52,  53,  ' ', 'L', 'M', 'Q',    'D',
                                            'H', 'A', 'F', 'K', 50,  10,  '\x7f', '\xff'};
        const size_t at = Pick(bytes.size());
        switch (random_.Draw(10)) {
            case 0:
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << random_.Draw(8)));
                break;
            case 1:
                bytes[at] = Byte();
                break;
            case 2:
                bytes[at] = kTelling[Pick(sizeof kTelling)];
                break;
            case 3:
                bytes[at] = static_cast<char>(bytes[at] + (random_.Draw(2) == 0 ? 1 : -1));
                break;
            case 4:
                bytes.resize(at);
                break;
            case 5:
                bytes.insert(at, 1 + Pick(8), Byte());
                break;
            case 6:
                bytes.erase(at, 1 + Pick(8));
                break;
            case 7:
                std::swap(bytes[at], bytes[Pick(bytes.size())]);
                break;
            default: {
                // A stretch of another position at the same place.
                const std::string& other = seeds_[Pick(seeds_.size())];
                const size_t length = 1 + Pick(64);
                if (at + length <= other.size() && at + length <= bytes.size())
                    bytes.replace(at, length, other, at, length);
                break;
            }
        }
    }

    const std::vector<std::string>& seeds_;
    Random random_;
};

TEST(SaveFuzz, DamagedFilesAreRefusedOrPlayOnSoundly) {
    const uint64_t files = FromEnvironment("MORVEL_SAVE_FUZZ_FILES", 20000);
    const uint32_t seed = static_cast<uint32_t>(FromEnvironment("MORVEL_SAVE_FUZZ_SEED", 1));
    const std::vector<std::string> seeds = Seeds();
    ASSERT_GT(seeds.size(), 500u);
    Damage damage(seeds, seed);
    uint64_t accepted = 0, changedAndAccepted = 0;
    for (uint64_t file = 0; file < files; ++file) {
        const std::string bytes = damage.Next();
        GameState s;
        if (!DecodeGame(bytes, s).empty()) continue;
        ++accepted;
        const std::string where =
            " (file " + std::to_string(file) + ", seed " + std::to_string(seed) + ")";
        testing::Invariants invariants(s.mode);
        invariants.CheckPosition(s);
        ASSERT_FALSE(HasFatalFailure()) << where;
        ASSERT_EQ(EncodeGame(s), bytes) << "accepted, but reads back otherwise" << where;
        bool known = false;
        for (const std::string& original : seeds)
            known = known || original == bytes;
        if (known) continue;
        ++changedAndAccepted;

        // Play on, to the end of the deal and some way into the next; every position on the way
        // is one a saved game may hold.
        Table t;
        t.host.Seed(static_cast<uint32_t>(file));
        t.game.Restore(s);
        Autopilot pilot(t.game);
        for (int step = 0, after = 0; step < 300 && after < 20; ++step) {
            ASSERT_TRUE(pilot.Step()) << "play stopped after " << step << " steps" << where;
            const GameState& now = t.game.State();
            invariants.CheckPosition(now);
            ASSERT_FALSE(HasFatalFailure()) << "after " << step << " steps" << where;
            ASSERT_EQ(PositionProblem(now), "") << "after " << step << " steps" << where;
            after += t.host.sheets > 0;
        }
    }
    std::printf("%llu files: %llu accepted, %llu of them changed from the position saved\n",
                static_cast<unsigned long long>(files), static_cast<unsigned long long>(accepted),
                static_cast<unsigned long long>(changedAndAccepted));
    EXPECT_GT(changedAndAccepted, 0u);
}

}  // namespace
}  // namespace morvel
