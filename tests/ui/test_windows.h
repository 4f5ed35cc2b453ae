// The game's windows for Qt tests: a fixed clock, a name typed at once, the contract choice made
// by the computer rules, and the result sheet closed at once, so no modal window waits for a
// person.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "autopilot.h"
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

    Game& Engine() { return windows->Engine(); }
    TForm1& Form1() { return windows->Form1(); }

    TestHost* host = nullptr;
    std::unique_ptr<Windows> windows;
};

}  // namespace morvel::testing
