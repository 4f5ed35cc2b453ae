// The engine's view of the world, made of Qt: real timers, the system beep, the clock and the
// player-name dialog.
#pragma once

#include <QObject>
#include <QTimer>

#include "deferred.h"
#include "host.h"

namespace morvel {

class Game;
class TForm1;
class Tallform;
class Tchoosform;
class Tenterform;
class Tresultform;

// With "Pause after each round" on, the four cards of a round just taken stay on the table at
// least this long, whatever the speed.
inline constexpr int kRoundPause = 1000;  // milliseconds

class QtHost : public QObject, public Host {
    Q_OBJECT

  public:
    QtHost();

    // The modal windows the engine opens, each made when first wanted.
    struct Dialogs {
        Deferred<Tenterform> name;
        Deferred<Tchoosform> choose;
        Deferred<Tallform> all;
        Deferred<Tresultform> sheet;
    };

    // The engine needs the host before the windows exist, so they are joined afterwards.
    void Attach(Game& game, TForm1& table, const Dialogs& dialogs);

    void TimerIntervalChanged(TimerId timer, int milliseconds) override;
    void Beep() override;
    uint32_t MillisecondOfDay() override;
    void ShowNameDialog() override;
    void ShowChooseDialog() override;
    void ShowAllDialog() override;
    void ShowResultSheet() override;
    void ShowMessage(std::string_view text) override;

    const QTimer& Timer(TimerId timer) const {
        return timer == TimerId::Timer1 ? timer1_ : timer3_;
    }

  protected:
    Game* game_ = nullptr;
    TForm1* table_ = nullptr;
    Dialogs dialogs_;

  private:
    void Tick(TimerId timer);

    QTimer timer1_;
    QTimer timer3_;
};

}  // namespace morvel
