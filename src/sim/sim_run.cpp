#include "sim_run.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cstring>

#include "autopilot.h"

namespace morvel::sim {

namespace {

constexpr uint32_t kDayMilliseconds = 86400000u;

// Writes the trace: one event a line, fields separated by one space. Lines gather in a buffer of
// fixed size that goes out whenever it fills, so a run of any length holds no more than it.
class Tracer : public GameObserver {
  public:
    Tracer(const Game& game, TraceOut* out, EventCheck* check, int games)
        : game_(game), out_(out), check_(check), games_(games) {}

    int GamesEnded() const { return gamesEnded_; }
    // Adds each game's final scores as it ends.
    void KeepScores(Result* result) { scores_ = result; }
    int Deals() const { return deals_; }
    bool Lost() const { return lost_; }

    // Sends what is buffered.
    void Flush() {
        if (used_ != 0 && !lost_) lost_ = !out_->Write(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

    void OnNewGame() override {
        ++gamesStarted_;
        if (!out_) return;
        Text("game ");
        Number(gamesStarted_);
        Text(game_.State().mode == GameMode::Normal ? " NORMAL\n" : " COMPLEX\n");
        Line();
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
            Line();
        }
        Check();
    }
    void OnChooser(int k, int seat) override { Fields("chooser", k, seat); }
    void OnContract(char letter) override {
        if (out_) {
            Text("contract ");
            Char(letter);
            Text("\n");
            Line();
        }
        Check();
    }
    void OnLay(int seat, char suit, int rank) override { CardLine("lay ", seat, suit, rank); }
    void OnTake(int seat) override { Fields("take", seat); }
    void OnMove(int seat, char suit, int rank) override { CardLine("move ", seat, suit, rank); }
    void OnPass(int seat) override { Fields("pass", seat); }
    void OnOut(int seat, int place) override { Fields("out", seat, place); }
    void OnRow(int band, int row, char letter) override {
        if (out_) {
            Text("row ");
            Number(band);
            Text(" ");
            Number(row);
            Text(" ");
            Char(letter);
            Scores();
            Line();
        }
        Check();
    }
    void OnWinner(int seat) override { Fields("winner", seat); }
    bool OnGameOver() override {
        ++gamesEnded_;
        if (scores_) {
            for (int seat = 1; seat <= 4; ++seat) {
                const int32_t score = game_.State().gameScore[seat];
                scores_->scoreSum[seat] += score;
                scores_->scoreSquares[seat] += static_cast<double>(score) * score;
                scores_->lastScores[seat] = score;
            }
        }
        if (out_) {
            Text("end ");
            Number(gamesEnded_);
            Scores();
            Line();
        }
        Check();
        return gamesEnded_ < games_;
    }

  private:
    // The longest line, a hand, is some fifty characters.
    static constexpr size_t kLineRoom = 128;

    void Text(std::string_view s) {
        std::memcpy(buffer_.data() + used_, s.data(), s.size());
        used_ += s.size();
    }
    void Char(char c) { buffer_[used_++] = c; }
    void Number(int64_t v) {
        const auto r = std::to_chars(buffer_.data() + used_, buffer_.data() + buffer_.size(), v);
        used_ = static_cast<size_t>(r.ptr - buffer_.data());
    }
    void Card(char suit, int rank) {
        Char(suit);
        Number(rank);
    }
    void Scores() {
        for (int seat = 1; seat <= 4; ++seat) {
            Text(" ");
            Number(game_.State().gameScore[seat]);
        }
        Text("\n");
    }
    // A line (or a deal's lines) is complete: keep room for the longest event.
    void Line() {
        if (used_ > buffer_.size() - 8 * kLineRoom) Flush();
    }
    void Fields(std::string_view what, int a, int b = -1) {
        if (out_) {
            Text(what);
            Text(" ");
            Number(a);
            if (b >= 0) {
                Text(" ");
                Number(b);
            }
            Text("\n");
            Line();
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
            Line();
        }
        Check();
    }
    void Check() {
        if (check_) check_->AfterEvent(game_);
    }

    const Game& game_;
    TraceOut* out_;
    EventCheck* check_;
    Result* scores_ = nullptr;
    int games_;
    int gamesStarted_ = 0;
    int gamesEnded_ = 0;
    int deals_ = 0;
    bool lost_ = false;
    std::array<char, 16384> buffer_;
    size_t used_ = 0;
};

// Answers every window at once and reads the clock as START + k x STEP.
class SimHost : public Host {
  public:
    SimHost(const Options& opt, Game& game, Autopilot& pilot)
        : opt_(opt), game_(game), pilot_(pilot), clock_(opt.clockStart) {}

    void TimerIntervalChanged(TimerId, int) override {}
    void Beep() override {}
    uint32_t MillisecondOfDay() override {
        const uint32_t now = clock_;
        clock_ = static_cast<uint32_t>((static_cast<uint64_t>(clock_) + opt_.clockStep) %
                                       kDayMilliseconds);
        return now;
    }
    void ShowNameDialog() override {
        const bool accepted = game_.AcceptName(opt_.name);
        assert(accepted && "the caller checks the name");
        (void)accepted;
    }
    void ShowChooseDialog() override { pilot_.AnswerChooseDialog(); }
    void ShowAllDialog() override { pilot_.AnswerAllDialog(); }
    void ShowResultSheet() override {}
    void ShowMessage(std::string_view) override {}

  private:
    const Options& opt_;
    Game& game_;
    Autopilot& pilot_;
    uint32_t clock_;
};

// The host is made before the game it answers for, and the game before the autopilot.
struct Table {
    explicit Table(const Options& opt)
        : host(opt, game, pilot),
          game(host),
          pilot(game, opt.seat1 != nullptr ? *opt.seat1 : Standard()) {}
    SimHost host;
    Game game;
    Autopilot pilot;
};

}  // namespace

Result Run(const Options& opt, TraceOut* trace, EventCheck* check) {
    Result result;
    if (opt.games <= 0) return result;
    Table table(opt);
    Game& game = table.game;
    if (opt.computers != nullptr) game.SetComputerPlayer(*opt.computers);
    Tracer tracer(game, opt.trace ? trace : nullptr, check, opt.games);
    tracer.KeepScores(&result);
    game.SetObserver(&tracer);

    // Start-up as the table window does it, with the mode set first as the menu items set it.
    game.FormCreate();
    game.SetMode(opt.mode);
    game.FormActivate();

    while (tracer.GamesEnded() < opt.games && !tracer.Lost()) {
        if (!table.pilot.Step()) {
            result.stuck = true;
            break;
        }
    }
    tracer.Flush();
    game.SetObserver(nullptr);
    result.games = tracer.GamesEnded();
    result.deals = tracer.Deals();
    result.traceLost = tracer.Lost();
    return result;
}

}  // namespace morvel::sim
