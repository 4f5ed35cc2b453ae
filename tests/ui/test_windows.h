// The game's windows for Qt tests: a fixed clock, a name typed at once, the contract choice made
// by the computer rules, and the result sheet closed at once, so no modal window waits for a
// person.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "autopilot.h"
#include "scaler.h"
#include "windows.h"

namespace morvel::testing {

class TestHost : public QtHost {
  public:
    uint32_t MillisecondOfDay() override { return clock; }
    void Beep() override { ++beeps; }
    // The real dialog, answered once it is up.
    void ShowNameDialog() override {
        ++nameDialogs;
        QTimer::singleShot(0, [this] {
            if (onNameDialog) onNameDialog();
            auto* edit = dialogs_.name->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            edit->setText(QString::fromStdString(name));
            dialogs_.name->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        QtHost::ShowNameDialog();
    }
    void ShowChooseDialog() override { Autopilot(*game_).AnswerChooseDialog(); }
    void ShowAllDialog() override { Autopilot(*game_).AnswerAllDialog(); }
    void ShowResultSheet() override { ++sheets; }
    void ShowMessage(std::string_view) override { ++messages; }

    uint32_t clock = 12 * 60 * 60 * 1000;
    std::string name = "Player1";
    int beeps = 0;
    int nameDialogs = 0;
    int sheets = 0;
    int messages = 0;
    std::function<void()> onNameDialog;
};

// A point of the table's design, on the screen where the table is drawn.
inline QPoint OnScreen(const TForm1& form, QPoint designed) {
    const Scaler& table = form.TableScaler();
    return table.ScreenArea().topLeft() +
           QPoint(qRound(designed.x() * table.Factor()), qRound(designed.y() * table.Factor()));
}

// The person's turn, with cards in hand the engine would lay and cards it would refuse.
inline bool MixedTurn(const Game& game) {
    if (!game.State().humanTurn) return false;
    int laid = 0;
    int refused = 0;
    for (int n = kHumanBlock.first; n <= kHumanBlock.last; ++n) {
        if (game.State().hand[n].suit != kPlayed) ++(game.WouldLay(n) ? laid : refused);
    }
    return laid > 0 && refused > 0;
}

// Creates the windows, shows the table, lets its start-up run and then stops both turn loops,
// so that the table stands still as the deal left it.
struct StartedWindows {
    StartedWindows() {
        auto owned = std::make_unique<TestHost>();
        host = owned.get();
        windows = std::make_unique<Windows>(std::move(owned));
        windows->Form1().showMaximized();
        for (int turn = 0; turn < 1000 && host->nameDialogs == 0; ++turn)
            QCoreApplication::processEvents();
        Freeze();
    }

    void Freeze() {
        windows->Engine().SetTimer(TimerId::Timer1, 0);
        windows->Engine().SetTimer(TimerId::Timer3, 0);
    }

    // Plays on as the timers and the human player would, until `done`; the table then shows
    // where play stands, and stands still.
    bool PlayUntil(const std::function<bool()>& done) {
        Game& game = windows->Engine();
        for (int step = 0; step < 200000; ++step) {
            if (done()) {
                Freeze();
                windows->Form1().Sync();
                return true;
            }
            if (Autopilot(game).Step()) continue;
            // Only the timers stopped by the test are left.
            if (game.CurrentContract() == kMorvelLetter) {
                game.Timer3Timer();
            } else {
                game.Timer1Timer();
            }
        }
        return false;
    }

    Game& Engine() { return windows->Engine(); }
    TForm1& Form1() { return windows->Form1(); }

    TestHost* host = nullptr;
    std::unique_ptr<Windows> windows;
};

// The fixture most window tests share: windows started afresh for each test function (the test
// class makes them in init() and drops them in cleanup()), and what the tests ask of them.
class WindowsTest : public QObject {
  protected:
    Game& Engine() { return started_->Engine(); }
    const GameState& State() { return started_->Engine().State(); }
    TForm1& Form1() { return started_->Form1(); }
    ImageSlot* Slot(Family family, int n) { return Form1().SlotWidget(family, n); }
    QAction* Action(const char* name) { return Form1().findChild<QAction*>(QLatin1String(name)); }
    bool PlayUntil(const std::function<bool()>& done) { return started_->PlayUntil(done); }

    std::unique_ptr<StartedWindows> started_;
};

}  // namespace morvel::testing
