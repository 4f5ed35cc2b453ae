#include "sim_run.h"

#include <cassert>
#include <charconv>

#include "autopilot.h"

namespace morvel::sim {

namespace {

constexpr uint32_t kDayMilliseconds = 86400000u;

class SimHost;

// Writes the trace: one event a line, fields separated by one space.
class Tracer : public GameObserver {
public:
    Tracer(const Game& game, std::string* out, EventCheck* check, int games)
        : game_(game), out_(out), check_(check), games_(games) {}

    int GamesEnded() const { return gamesEnded_; }
    int Deals() const { return deals_; }

    void OnNewGame() override {
        ++gamesStarted_;
        if (!out_) return;
        Text("game ");
        Number(gamesStarted_);
        Text(game_.State().mode == GameMode::Normal ? " NORMAL\n" : " COMPLEX\n");
    }
    void OnDealt(uint32_t clock) override {
        ++deals_;
        if (out_) {
            Text("deal ");
            Number(static_cast<int64_t>(clock));
            Text("\n");
            const HandTable& hand = game_.State().hand;
            for (int seat = 1; seat <= 4; ++seat) {
                Text("hand ");
                Number(seat);
                for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
                    Text(" ");
                    Card(hand[n].suit, hand[n].rank);
                }
                Text("\n");
            }
        }
        Check();
    }
    void OnChooser(int k, int seat) override { Line("chooser", k, seat); }
    void OnContract(char letter) override {
        if (out_) {
            Text("contract ");
            out_->push_back(letter);
            Text("\n");
        }
        Check();
    }
    void OnLay(int seat, char suit, int rank) override { CardLine("lay ", seat, suit, rank); }
    void OnTake(int seat) override { Line("take", seat); }
    void OnMove(int seat, char suit, int rank) override { CardLine("move ", seat, suit, rank); }
    void OnPass(int seat) override { Line("pass", seat); }
    void OnOut(int seat, int place) override { Line("out", seat, place); }
    void OnRow(int band, int row, char letter) override {
        if (out_) {
            Text("row ");
            Number(band);
            Text(" ");
            Number(row);
            Text(" ");
            out_->push_back(letter);
            Scores();
        }
        Check();
    }
    void OnWinner(int seat) override { Line("winner", seat); }
    bool OnGameOver() override {
        ++gamesEnded_;
        if (out_) {
            Text("end ");
            Number(gamesEnded_);
            Scores();
        }
        Check();
        return gamesEnded_ < games_;
    }

private:
    void Text(std::string_view s) { out_->append(s); }
    void Number(int64_t v) {
        char buffer[24];
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
        out_->append(buffer, r.ptr);
    }
    void Card(char suit, int rank) {
        out_->push_back(suit);
        Number(rank);
    }
    void Scores() {
        for (int seat = 1; seat <= 4; ++seat) {
            Text(" ");
            Number(game_.State().gameScore[seat]);
        }
        Text("\n");
    }
    void Line(std::string_view what, int a, int b = -1) {
        if (out_) {
            Text(what);
            Text(" ");
            Number(a);
            if (b >= 0) {
                Text(" ");
                Number(b);
            }
            Text("\n");
        }
        Check();
    }
    void CardLine(std::string_view what, int seat, char suit, int rank) {
        if (out_) {
            Text(what);
            Number(seat);
            Text(" ");
            Card(suit, rank);
            Text("\n");
        }
        Check();
    }
    void Check() {
        if (check_) check_->AfterEvent(game_);
    }

    const Game& game_;
    std::string* out_;
    EventCheck* check_;
    int games_;
    int gamesStarted_ = 0;
    int gamesEnded_ = 0;
    int deals_ = 0;
};

// Answers every window at once and reads the clock as START + k x STEP.
class SimHost : public Host {
public:
    SimHost(const Options& opt) : opt_(opt), clock_(opt.clockStart) {}
    void Attach(Game* game) { game_ = game; }

    void TimerIntervalChanged(TimerId, int) override {}
    void Beep() override {}
    uint32_t MillisecondOfDay() override {
        const uint32_t now = clock_;
        clock_ = static_cast<uint32_t>((static_cast<uint64_t>(clock_) + opt_.clockStep) % kDayMilliseconds);
        return now;
    }
    void ShowNameDialog() override {
        const bool accepted = game_->AcceptName(opt_.name);
        assert(accepted && "the caller checks the name");
        (void)accepted;
    }
    void ShowChooseDialog() override { Autopilot(*game_).AnswerChooseDialog(); }
    void ShowAllDialog() override { Autopilot(*game_).AnswerAllDialog(); }
    void ShowResultSheet() override {}
    void ShowMessage(std::string_view) override {}

private:
    const Options& opt_;
    Game* game_ = nullptr;
    uint32_t clock_;
};

}  // namespace

Result Run(const Options& opt, std::string* trace, EventCheck* check) {
    Result result;
    if (opt.games <= 0) return result;
    SimHost host(opt);
    Game game(host);
    host.Attach(&game);
    Tracer tracer(game, opt.trace ? trace : nullptr, check, opt.games);
    game.SetObserver(&tracer);

    // Start-up as the table window does it, with the mode set first as the menu items set it.
    game.FormCreate();
    game.SetMode(opt.mode);
    game.FormActivate();

    Autopilot pilot(game);
    while (tracer.GamesEnded() < opt.games) {
        if (!pilot.Step()) {
            result.stuck = true;
            break;
        }
    }
    game.SetObserver(nullptr);
    result.games = tracer.GamesEnded();
    result.deals = tracer.Deals();
    return result;
}

}  // namespace morvel::sim
