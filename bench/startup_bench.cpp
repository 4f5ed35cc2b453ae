// Figures of the real program on a private 1920 x 1080 X server (Xvfb), driven as a person
// drives it:
//   - start-up: from the start of the process to the player-name dialog drawn on the screen;
//   - the same for morvel_startup_floor, a bare Qt program showing only those two windows: what
//     start-up cannot go below on the machine;
//   - start-up with a kept game: from the start of the process to the resumed table drawn;
//   - idle: CPU time and wake-ups while the game waits for the person;
//   - memory: resident size after a whole game played by clicks.
// Figures only: nothing here fails on a time.
//
//   morvel_startup_bench PATH-TO-MORVEL [START-UP RUNS]
// (morvel_startup_floor is looked for beside the benchmark.)
#include <X11/keysym.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "table_person.h"

using namespace morvel::e2e;

namespace {

// CPU use of a process over all its threads: ticks of utime + stime from /proc/PID/stat, the
// scheduler's nanoseconds and the context switches of every thread.
struct CpuUse {
    long ticks = 0;
    long long nanoseconds = 0;
    long long switches = 0;
};

CpuUse ReadCpuUse(pid_t pid) {
    CpuUse use;
    const std::string base = "/proc/" + std::to_string(pid);
    {
        std::ifstream stat(base + "/stat");
        std::string line;
        std::getline(stat, line);
        // Fields after the command name, which is in parentheses and may hold blanks.
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        std::string field;
        for (int n = 3; n <= 15 && rest >> field; ++n) {
            if (n == 14 || n == 15) use.ticks += std::stol(field);
        }
    }
    if (DIR* tasks = opendir((base + "/task").c_str())) {
        while (dirent* task = readdir(tasks)) {
            if (task->d_name[0] == '.') continue;
            const std::string dir = base + "/task/" + task->d_name;
            long long runtime = 0;
            if (std::ifstream(dir + "/schedstat") >> runtime) use.nanoseconds += runtime;
            std::ifstream status(dir + "/status");
            for (std::string line; std::getline(status, line);) {
                if (line.starts_with("voluntary_ctxt_switches:") ||
                    line.starts_with("nonvoluntary_ctxt_switches:"))
                    use.switches += std::stoll(line.substr(line.find(':') + 1));
            }
        }
        closedir(tasks);
    }
    return use;
}

// A "VmRSS:"-style line of /proc/PID/status, in megabytes.
double StatusMegabytes(pid_t pid, const std::string& key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(key + ":")) return std::stod(line.substr(key.size() + 1)) / 1024.0;
    }
    return 0;
}

// The CPU a process has used so far, by the scheduler: a figure a busy machine hardly changes.
double CpuMilliseconds(pid_t pid) {
    return static_cast<double>(ReadCpuUse(pid).nanoseconds) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timed {
    std::string binary;
    const char* what;
    const char* target;
    std::vector<double> times, cpu;
};

// The median of the runs, the runs themselves and the CPU they took, on one line.
void Report(const Timed& timed) {
    std::string each;
    for (double t : timed.times)
        each += " " + std::to_string(static_cast<int>(t + 0.5));
    std::printf("%-34s median %6.1f ms   (min %.1f, max %.1f; runs:%s; CPU median %.1f ms)   %s\n",
                timed.what, Median(timed.times),
                *std::min_element(timed.times.begin(), timed.times.end()),
                *std::max_element(timed.times.begin(), timed.times.end()), each.c_str(),
                Median(timed.cpu), timed.target);
}

// Each program started `runs` times, the programs taking turns, so that a machine slower for a
// while slows them alike.
void StartUp(std::vector<Timed> programs, const XServer& server, XScreen& x, int runs) {
    Person person(x);
    for (int run = 0; run < runs; ++run) {
        for (Timed& program : programs) {
            const Clock::time_point start = Clock::now();
            std::optional<Child> morvel = server.StartProgram({program.binary}, /*quiet=*/true);
            std::optional<XWindow> dialog;
            const bool painted =
                morvel && WaitFor(
                              [&] {
                                  if (!dialog) dialog = x.FindWindowTitled(title::kName);
                                  return dialog && person.NameDialogPainted(*dialog);
                              },
                              Milliseconds(15000), Milliseconds(1));
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (!painted) {
                std::printf("%s, run %d: the player-name dialog did not come up\n", program.what,
                            run + 1);
                return;
            }
            program.times.push_back(ms);
            program.cpu.push_back(CpuMilliseconds(morvel->Pid()));
            morvel->Stop();
            std::this_thread::sleep_for(Milliseconds(200));
        }
    }
    for (const Timed& program : programs)
        Report(program);
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The face of a card, drawn plain or dimmed.
bool IsCardLight(Rgb p) {
    return std::min({p.r, p.g, p.b}) > 90;
}

void WriteWhole(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A game kept by the person (the item checked in a game just dealt, then the process killed),
// and each run started with those files as they were: the time until the person's hand of the
// resumed game is drawn, with no name dialog on the way.
void KeptStartUp(const std::string& binary, const XServer& server, XScreen& x, int runs) {
    Person person(x);
    const std::string settings = server.Home() + "/.config/morvel/morvel.conf";
    const std::string game = server.Home() + "/.local/share/morvel/game.sav";
    std::string keptSettings, keptGame;
    try {
        std::optional<Child> morvel = server.StartProgram({binary}, /*quiet=*/true);
        person.WaitForNameDialog();
        person.AnswerNameDialog("bench");
        person.FindTable();
        person.PressOnTable(XK_o, XK_Alt_L);
        std::this_thread::sleep_for(Milliseconds(300));
        x.Key(XK_k);
        WaitFor([&] { return !ReadWhole(settings).empty() && !ReadWhole(game).empty(); },
                Milliseconds(3000));
        keptSettings = ReadWhole(settings);
        keptGame = ReadWhole(game);
        morvel->Kill();
    } catch (const Failure& failure) {
        std::printf("start-up with a kept game: no game kept: %s\n", failure.what());
        return;
    }
    if (keptSettings.empty() || keptGame.empty()) {
        std::printf("start-up with a kept game: the item did not keep the game\n");
        return;
    }
    const Box hand = person.OnTable(place::kHand);
    const int area = hand.width * hand.height;
    Timed kept{binary, "start-up to a kept game drawn", "target < 150 ms", {}, {}};
    for (int run = 0; run < runs; ++run) {
        WriteWhole(settings, keptSettings);
        WriteWhole(game, keptGame);
        const Clock::time_point start = Clock::now();
        std::optional<Child> morvel = server.StartProgram({binary}, /*quiet=*/true);
        // Cards the person may not play now are drawn dimmed: light grey counts with white.
        const auto faceUp = [](const Shot& shot, int pixels) {
            return shot.Count([](Rgb p) { return !IsGreen(p); }) > pixels * 9 / 10 &&
                   shot.Count(IsCardLight) > pixels / 4;
        };
        // One line across the hand is read until it shows cards; only then the whole hand. A
        // poll that grabs the whole hand every millisecond keeps the X server from the program.
        const Box line{hand.left, hand.CentreY(), hand.width, 1};
        const bool drawn =
            morvel &&
            WaitFor([&] { return faceUp(x.Grab(line), line.width) && faceUp(x.Grab(hand), area); },
                    Milliseconds(15000), Milliseconds(1));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const bool asked = x.FindWindowTitled(title::kName).has_value();
        kept.cpu.push_back(CpuMilliseconds(morvel->Pid()));
        morvel->Stop();
        std::this_thread::sleep_for(Milliseconds(200));
        if (!drawn || asked) {
            std::filesystem::remove(settings);
            std::filesystem::remove(game);
            std::printf("start-up with a kept game, run %d: %s\n", run + 1,
                        asked ? "the name dialog came up" : "the hand was not drawn");
            return;
        }
        kept.times.push_back(ms);
    }
    // The next figures begin with the name dialog of a game not kept.
    std::filesystem::remove(settings);
    std::filesystem::remove(game);
    Report(kept);
}

// Idle while the person is to lay a card, then a whole game in Complex mode (8 deals), then the
// resident size.
void IdleAndMemory(const std::string& binary, const XServer& server, XScreen& x) {
    std::optional<Child> morvel = server.StartProgram({binary}, /*quiet=*/true);
    if (!morvel) return;
    const pid_t pid = morvel->Pid();
    Person person(x);
    try {
        person.AnswerNameDialog("bench");
        person.FindTable();
        const double startRss = StatusMegabytes(pid, "VmRSS");
        // The game at the computer players' own pace: no second's pause after each round.
        person.TurnOffThePause();

        // When the person chooses, the choice comes first; the card is the person's next move.
        person.TableAtRest(Milliseconds(200), Milliseconds(3000));
        if (person.PersonIsChooser() && person.ChoiceButtonShown()) {
            const Box button = person.OnTable(place::kCgAndPassb);
            x.Click(button.CentreX(), button.CentreY());
            std::optional<XWindow> dialog;
            if (WaitFor([&] { return (dialog = x.FindWindowTitled(title::kChoice)).has_value(); },
                        Milliseconds(3000)))
                person.AnswerContractDialog(*dialog, {1});
        }
        const Box away = person.OnTable({place::kEmptySpots[2][0], place::kEmptySpots[2][1], 1, 1});
        x.MovePointer(away.left, away.top);
        if (!person.TableAtRest(Milliseconds(800), Milliseconds(10000)))
            std::printf("idle: the table did not come to rest; measuring anyway\n");
        const Milliseconds window(2000);
        const CpuUse before = ReadCpuUse(pid);
        const Clock::time_point from = Clock::now();
        std::this_thread::sleep_for(window);
        const CpuUse after = ReadCpuUse(pid);
        const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
        const double tickMs = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
        std::printf(
            "%-34s %6.1f ms CPU in %.1f s by utime+stime (%.2f ms by the scheduler), %.1f "
            "wake-ups/s   target ~0\n",
            "idle, the person's turn", static_cast<double>(after.ticks - before.ticks) * tickMs,
            seconds, static_cast<double>(after.nanoseconds - before.nanoseconds) / 1e6,
            static_cast<double>(after.switches - before.switches) / seconds);

        // A whole game: the Complex mode's eight deals, every result sheet closed by its OK.
        person.PressForNewGame(XK_F2);
        person.AnswerNameDialog("bench");
        const Clock::time_point gameStart = Clock::now();
        int deals = 0;
        bool winnerShown = false;
        for (; deals < 8; ++deals) {
            const Person::Deal deal = person.PlayDeal({5, 4, 3, 2, 1}, Milliseconds(120000));
            // The last sheet of a game shows the winner's columns in green.
            winnerShown = x.Grab(x.Geometry(deal.sheet)).Count([](Rgb p) {
                return p == Rgb{0, 128, 0};
            }) > 1000;
            person.ClickOk(deal.sheet, place::kSheetOk, "the result sheet");
        }
        if (!winnerShown) std::printf("memory: the last sheet showed no winner; game not over?\n");
        std::this_thread::sleep_for(Milliseconds(500));
        std::printf(
            "%-34s %6.1f MB VmRSS, peak %.1f MB (%.1f MB after start-up; a Complex game "
            "of %d deals by clicks in %.0f s)   target < 60 MB\n",
            "memory after a whole game", StatusMegabytes(pid, "VmRSS"),
            StatusMegabytes(pid, "VmHWM"), startRss, deals,
            std::chrono::duration<double>(Clock::now() - gameStart).count());
    } catch (const Failure& failure) {
        std::printf("idle/memory: stopped: %s (VmRSS now %.1f MB)\n", failure.what(),
                    StatusMegabytes(pid, "VmRSS"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH-TO-MORVEL [START-UP RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is measured
    constexpr int kWidth = 1920;
    constexpr int kHeight = 1080;
    std::printf("The real program under Xvfb at %dx%d (%s)\n", kWidth, kHeight, argv[1]);
    if (!XServer::Installed()) {
        std::printf("skipped: Xvfb is not installed\n");
        return 0;
    }
    std::string why;
    std::optional<XServer> server = XServer::Start(&why, kWidth, kHeight);
    if (!server) {
        std::printf("skipped: %s\n", why.c_str());
        return 0;
    }
    XScreen x(server->Name());
    if (!x.Connected()) {
        std::printf("skipped: cannot connect to %s with XTest\n", server->Name().c_str());
        return 0;
    }
    std::vector<Timed> programs{
        {argv[1], "start-up to name dialog drawn", "target < 150 ms", {}, {}}};
    const std::filesystem::path floor =
        std::filesystem::path(argv[0]).parent_path() / "morvel_startup_floor";
    if (std::filesystem::exists(floor))
        programs.push_back(
            {floor.string(), "  the two windows alone, bare Qt", "(the floor)", {}, {}});
    StartUp(std::move(programs), *server, x, runs);
    KeptStartUp(argv[1], *server, x, runs);
    IdleAndMemory(argv[1], *server, x);
    return 0;
}
