// Times a step of either turn loop as the program takes it: the engine's step, the table window's
// sync and the repaint of what changed, with the real windows on the offscreen platform. Whole
// games are played: each step fired as its QTimer fires it, seat 1 played by the autopilot through
// the human player's own paths, the modal windows answered at once (they wait for a person, which
// is no part of a step). The off-screen platform has a 1920 x 1080 screen unless QT_QPA_PLATFORM
// names another, so the table is drawn as large as there.
//   morvel_ui_step_bench [--games N]   N games in each mode (default 3)
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "autopilot.h"
#include "scaler.h"
#include "windows.h"

namespace morvel {
namespace {

using Clock = std::chrono::steady_clock;

class BenchHost : public QtHost {
  public:
    void TimerIntervalChanged(TimerId, int) override {}
    uint32_t MillisecondOfDay() override { return clock_ = (clock_ + 7919) % 86'400'000u; }
    void Beep() override {}
    void ShowNameDialog() override { game_->AcceptName("Ann"); }
    void ShowChooseDialog() override { Autopilot(*game_).AnswerChooseDialog(); }
    void ShowAllDialog() override { Autopilot(*game_).AnswerAllDialog(); }
    void ShowResultSheet() override {}
    void ShowMessage(std::string_view) override {}

    // The step as the QTimer gives it: its timeout reaches the engine's step and the table's sync
    // (the host lends its timers read-only; emitting a signal changes nothing of them).
    void Fire(TimerId timer) {
        QMetaObject::invokeMethod(const_cast<QTimer*>(&Timer(timer)), "timeout");
    }

  private:
    uint32_t clock_ = 0;
};

// Counts whole games, and the paints that happen inside and outside the measured steps.
class Watcher : public QObject, public GameObserver {
  public:
    void OnDealt(uint32_t) override {
        dealt = true;
        ++deals;
    }
    bool OnGameOver() override {
        ++games;
        return true;
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++(measuring ? paintsMeasured : paintsOutside);
        return false;
    }

    bool dealt = false;
    int deals = 0;
    int games = 0;
    bool measuring = false;
    long paintsMeasured = 0;
    long paintsOutside = 0;
};

void Report(const char* name, std::vector<double>& micros) {
    if (micros.empty()) {
        std::printf("%s steps: none\n", name);
        return;
    }
    std::sort(micros.begin(), micros.end());
    const size_t n = micros.size();
    const size_t p95 = std::min(n - 1, (n * 95 + 99) / 100 - 1);
    std::printf("%s steps: count %zu, median %.0f us, p95 %.0f us, max %.0f us\n", name, n,
                micros[n / 2], micros[p95], micros.back());
}

int Run(int games) {
    auto owned = std::make_unique<BenchHost>();
    BenchHost& host = *owned;
    Windows windows(std::move(owned));
    Watcher watcher;
    Game& game = windows.Engine();
    game.SetObserver(&watcher);
    TForm1& table = windows.Form1();
    table.showMaximized();
    while (!watcher.dealt)
        QCoreApplication::processEvents();
    qApp->installEventFilter(&watcher);

    std::vector<double> timer1, timer3, dealing;
    for (const char* mode : {"Normal1", "Complex1"}) {
        // A game in progress asks before it is lost: yes.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Yes)->click();
        });
        table.findChild<QAction*>(QLatin1String(mode))->trigger();
        watcher.games = 0;
        while (watcher.games < games) {
            const GameState& s = game.State();
            const bool first = s.timer1Interval != 0;
            if (first || s.timer3Interval != 0) {
                const int deals = watcher.deals;
                watcher.measuring = true;
                const Clock::time_point start = Clock::now();
                host.Fire(first ? TimerId::Timer1 : TimerId::Timer3);
                // The update the window system would deliver next, delivered now: it paints
                // every widget the sync marked.
                QEvent update(QEvent::UpdateRequest);
                QCoreApplication::sendEvent(&table, &update);
                const std::chrono::duration<double, std::micro> took = Clock::now() - start;
                watcher.measuring = false;
                (first ? timer1 : timer3).push_back(took.count());
                if (watcher.deals != deals) dealing.push_back(took.count());
            } else if (Autopilot(game).Step()) {
                table.Sync();
            } else {
                std::fprintf(stderr, "morvel_ui_step_bench: the game stands still\n");
                return 1;
            }
            QCoreApplication::processEvents();
        }
    }

    const QSize screen = table.screen()->size();
    std::printf(
        "A timer step with the table's repaint (offscreen at %dx%d, the table drawn %.2f times as "
        "large; %d games per mode; target: p95 under 1000 us)\n",
        screen.width(), screen.height(), table.TableScaler().Factor(), games);
    Report("Timer1", timer1);
    Report("Timer3", timer3);
    // The heaviest: the end of a deal, which deals the next one and repaints most of the table.
    Report("  dealing anew (either loop)", dealing);
    std::printf("paints: %ld inside the measured steps, %ld outside\n", watcher.paintsMeasured,
                watcher.paintsOutside);
    return 0;
}

}  // namespace
}  // namespace morvel

int main(int argc, char** argv) {
    morvel::UseOffscreenScreen({1920, 1080});
    int games = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc) {
            games = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: morvel_ui_step_bench [--games N]\n");
            return 2;
        }
    }
    QApplication app(argc, argv);
    morvel::SetUpApplication(app);
    return morvel::Run(games);
}
