// What the engine asks of the world around it: timers, the beep, the clock and the modal windows.
// The table window implements it with Qt; tests and the simulator answer at once and fire the
// timers by hand.
#pragma once

#include <cstdint>
#include <string_view>

namespace morvel {

enum class TimerId : uint8_t { Timer1, Timer3 };

class Host {
  public:
    virtual ~Host() = default;

    // The interval of a timer changed: 0 stops it, any other value starts a fresh count. The
    // engine calls this only when the interval really changes, and for both timers when a saved
    // game resumes.
    virtual void TimerIntervalChanged(TimerId timer, int milliseconds) = 0;

    // The system's default warning sound.
    virtual void Beep() = 0;

    // Milliseconds since midnight of the clock's universal time, 0 .. 86,399,999.
    virtual uint32_t MillisecondOfDay() = 0;

    // Shows the player-name dialog modally; returns once the engine has accepted a name.
    virtual void ShowNameDialog() = 0;

    // The contract choice dialogs, shown modally; each returns once its OK button has closed it
    // (the engine has then stored the letter).
    virtual void ShowChooseDialog() = 0;  // Tchoosform, "NORMAL" mode
    virtual void ShowAllDialog() = 0;     // Tallform, "COMPLEX" mode

    // Shows the result sheet modally; returns when it has been closed. If the sheet is already
    // open (from the menu), waits until that one is closed instead of opening it again.
    virtual void ShowResultSheet() = 0;

    // A message box with one OK button.
    virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace morvel
