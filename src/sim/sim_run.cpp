#include "sim_run.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cstring>

#include "autopilot.h"
#include "save_bytes.h"
#include "save_format.h"

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

    // What the trace has counted, from the first line of the whole run.
    struct Counts {
        int gamesStarted = 0;
        int gamesEnded = 0;
        int deals = 0;
        uint64_t lines = 0;
    };
    Counts Counted() const { return {gamesStarted_, gamesEnded_, deals_, lines_}; }
    void Recount(const Counts& c) {
        gamesStarted_ = c.gamesStarted;
        gamesEnded_ = c.gamesEnded;
        deals_ = c.deals;
        lines_ = c.lines;
    }
    // Lines up to `skip` are counted but not written (they were, before a resume); lines after
    // `last` are neither written nor, once it is reached, wanted.
    void Limit(uint64_t skip, uint64_t last) {
        skip_ = skip;
        last_ = last;
    }
    bool ReachedLast() const { return last_ != 0 && lines_ >= last_; }

    // Sends what is buffered.
    void Flush() {
        if (used_ != 0 && !lost_) lost_ = !out_->Write(std::string_view(buffer_.data(), used_));
        used_ = 0;
    }

    void OnNewGame() override {
        ++gamesStarted_;
        if (!NextLine()) return;
        Text("game ");
        Number(gamesStarted_);
        Text(game_.State().mode == GameMode::Normal ? " NORMAL\n" : " COMPLEX\n");
        Line();
    }
    void OnDealt(uint32_t clock) override {
        ++deals_;
        if (NextLine()) {
            Text("deal ");
            Number(static_cast<int64_t>(clock));
            Text("\n");
        }
        const HandTable& hand = game_.State().hand;
        for (int seat = 1; seat <= 4; ++seat) {
            if (!NextLine()) continue;
            Text("hand ");
            Number(seat);
            for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
                Text(" ");
                Card(hand[n].suit, hand[n].rank);
            }
            Text("\n");
        }
        Line();
        Check();
    }
    void OnChooser(int k, int seat) override { Fields("chooser", k, seat); }
    void OnContract(char letter) override {
        if (NextLine()) {
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
        if (NextLine()) {
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
        if (NextLine()) {
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
    // Counts the next line; true when it is to be written.
    bool NextLine() {
        ++lines_;
        return out_ != nullptr && lines_ > skip_ && (last_ == 0 || lines_ <= last_);
    }
    void Fields(std::string_view what, int a, int b = -1) {
        if (NextLine()) {
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
        if (NextLine()) {
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
    uint64_t lines_ = 0;
    uint64_t skip_ = 0;
    uint64_t last_ = 0;
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

    // The next reading.
    uint32_t Clock() const { return clock_; }
    void SetClock(uint32_t clock) { clock_ = clock; }

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

// --- A run kept between two runs -------------------------------------------------------------

constexpr std::string_view kRunMagic = "MorvelSm";
constexpr int kRunVersion = 1;

// Where a run stopped at a trace line goes on from: the run's own settings, and, as they were
// before the event that made the line, its clock, its counts and the game's position (none when
// the line came in the start-up). The event is played again, writing only the lines after it.
struct SavedRun {
    GameMode mode = GameMode::Normal;
    int games = 1;
    uint32_t clockStep = 1;
    std::string name;
    uint32_t clock = 0;  // the next reading
    Tracer::Counts counts;
    uint64_t line = 0;
    bool started = false;
    GameState position;
};

void WriteLong(ByteWriter& w, uint64_t v) {
    w.U32(static_cast<uint32_t>(v));
    w.U32(static_cast<uint32_t>(v >> 32));
}

uint64_t ReadLong(ByteReader& r) {
    const uint64_t low = r.U32();
    return low | static_cast<uint64_t>(r.U32()) << 32;
}

std::string EncodeRun(const SavedRun& run) {
    ByteWriter w;
    w.Header(kRunMagic, kRunVersion);
    w.Raw("RUN ");
    w.U8(static_cast<unsigned>(run.mode));
    w.U32(static_cast<uint32_t>(run.games));
    w.U32(run.clockStep);
    w.Text(run.name);
    w.U32(run.clock);
    w.U32(static_cast<uint32_t>(run.counts.gamesStarted));
    w.U32(static_cast<uint32_t>(run.counts.gamesEnded));
    w.U32(static_cast<uint32_t>(run.counts.deals));
    WriteLong(w, run.counts.lines);
    WriteLong(w, run.line);
    w.Bool(run.started);
    if (run.started) {
        const std::string game = EncodeGame(run.position);
        w.Raw("GAME");
        w.U32(static_cast<uint32_t>(game.size()));
        w.Raw(game);
    }
    return w.Bytes();
}

// Empty when `bytes` hold a run this program can go on with.
std::string DecodeRun(std::string_view bytes, SavedRun& run) {
    ByteReader r(bytes);
    if (std::string problem = r.Header(kRunMagic, kRunVersion, "not a run saved by morvel-sim");
        !problem.empty())
        return problem;
    r.Tag("RUN ");
    run.mode = static_cast<GameMode>(r.Small(0, 1, "the mode"));
    const uint32_t games = r.U32();
    run.clockStep = r.U32();
    run.name = r.Text();
    run.clock = r.U32();
    const uint32_t started = r.U32(), ended = r.U32(), deals = r.U32();
    run.counts.lines = ReadLong(r);
    run.line = ReadLong(r);
    run.started = r.Bool("the started mark");
    std::string position;
    if (run.started) {
        r.Tag("GAME");
        position = std::string(r.Raw(r.U32()));
    }
    if (!r.Failed() && !r.AtEnd()) r.Refuse("bytes after the last part");
    if (r.Failed()) return r.Problem();
    // Counts beyond these no run reaches before its line.
    if (games == 0 || games >= 1000000000u || run.clockStep >= kDayMilliseconds ||
        run.clock >= kDayMilliseconds || ended >= games || started > ended + 1 ||
        deals > 40 * games || run.counts.lines >= run.line || run.line - run.counts.lines > 1000 ||
        IsComputerName(StoredName(run.name)))
        return "settings or counts no run has";
    run.games = static_cast<int>(games);
    run.counts.gamesStarted = static_cast<int>(started);
    run.counts.gamesEnded = static_cast<int>(ended);
    run.counts.deals = static_cast<int>(deals);
    if (!run.started) {
        return started == 0 && deals == 0 && run.counts.lines == 0 ? "" : "counts before the start";
    }
    if (std::string problem = DecodeGame(position, run.position); !problem.empty())
        return "the game: " + problem;
    const GameState& s = run.position;
    if (started != ended + 1 || s.mode != run.mode || s.menuMode != run.mode ||
        s.playerName != StoredName(run.name))
        return "a game unlike the run's settings";
    return {};
}

// The event played again on a resume makes the line it was saved at; a file that says otherwise
// is refused before any line is written.
bool Reached(const Tracer& tracer, const SavedRun& from, Result& result) {
    if (tracer.Counted().lines >= from.line) return true;
    result.refused = "the line it was saved at is not one its position makes";
    return false;
}

}  // namespace

Result Run(const Options& opt, TraceOut* trace, EventCheck* check) {
    Result result;
    SavedRun from;
    Options run = opt;
    if (!opt.resume.empty()) {
        result.refused = DecodeRun(opt.resume, from);
        if (result.refused.empty() && opt.saveAt != 0 && opt.saveAt <= from.line)
            result.refused = "it was saved at line " + std::to_string(from.line) +
                             ", and --save-at names no later line";
        if (!result.refused.empty()) return result;
        run.mode = from.mode;
        run.games = from.games;
        run.clockStep = from.clockStep;
        run.clockStart = from.clock;
        run.name = from.name;
    }
    if (run.games <= 0) return result;
    Table table(run);
    Game& game = table.game;
    if (run.computers != nullptr) game.SetComputerPlayer(*run.computers);
    Tracer tracer(game, run.trace ? trace : nullptr, check, run.games);
    tracer.KeepScores(&result);
    tracer.Limit(from.line, run.saveAt);
    game.SetObserver(&tracer);

    // What a save keeps of the moment before an event.
    SavedRun before;
    before.mode = run.mode;
    before.games = run.games;
    before.clockStep = run.clockStep;
    before.name = run.name;
    before.clock = run.clockStart;
    const auto keep = [&] {
        before.line = run.saveAt;
        result.saved = EncodeRun(before);
    };

    if (!from.started) {
        // Start-up as the table window does it, with the mode set first as the menu items set it.
        game.FormCreate();
        game.SetMode(run.mode);
        game.FormActivate();
        if (tracer.ReachedLast()) keep();
        Reached(tracer, from, result);
    } else {
        game.Restore(from.position);
        table.host.SetClock(from.clock);
        tracer.Recount(from.counts);
    }
    if (check) check->AfterStep(game);

    while (result.saved.empty() && result.refused.empty() && tracer.GamesEnded() < run.games &&
           !tracer.Lost()) {
        if (run.saveAt != 0) {
            before.clock = table.host.Clock();
            before.counts = tracer.Counted();
            before.started = true;
            before.position = game.State();
        }
        if (!table.pilot.Step()) {
            result.stuck = true;
            break;
        }
        // The last game's end begins no next game: that is no position of play.
        if (check && tracer.GamesEnded() < run.games) check->AfterStep(game);
        if (tracer.ReachedLast()) keep();
        if (!Reached(tracer, from, result)) break;
    }
    tracer.Flush();
    game.SetObserver(nullptr);
    result.games = tracer.GamesEnded();
    result.deals = tracer.Deals();
    result.traceLost = tracer.Lost();
    result.lines = tracer.Counted().lines;
    return result;
}

}  // namespace morvel::sim
