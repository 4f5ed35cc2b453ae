#include "qt_host.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <algorithm>

#include "choice_dialogs.h"
#include "game.h"
#include "name_dialog.h"
#include "qt_text.h"
#include "result_window.h"
#include "table_window.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

QtHost::QtHost() {
    // Coarse timers may fire a little early, and a pause must last its whole second.
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { Tick(TimerId::Timer1); });
    connect(&timer3_, &QTimer::timeout, this, [this] { Tick(TimerId::Timer3); });
}

void QtHost::Attach(Game& game, TForm1& table, const Dialogs& dialogs) {
    game_ = &game;
    table_ = &table;
    dialogs_ = dialogs;
}

void QtHost::TimerIntervalChanged(TimerId timer, int milliseconds) {
    QTimer& t = timer == TimerId::Timer1 ? timer1_ : timer3_;
    if (milliseconds == 0) {
        t.stop();
        return;
    }
    // A round has just been taken: the step that hands it over may wait longer than the
    // engine's interval. Only the real timer waits; the engine keeps its own interval.
    if (timer == TimerId::Timer1 && game_ != nullptr && table_ != nullptr &&
        game_->State().round.taken && table_->GetOptions().pauseAfterRound)
        milliseconds = std::max(milliseconds, kRoundPause);
    t.start(milliseconds);
}

void QtHost::Beep() {
    QApplication::beep();
}

uint32_t QtHost::MillisecondOfDay() {
    return static_cast<uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

void QtHost::ShowNameDialog() {
    table_->ShowModal(*dialogs_.name);
}

void QtHost::ShowChooseDialog() {
    table_->ShowModal(*dialogs_.choose);
}

void QtHost::ShowAllDialog() {
    table_->ShowModal(*dialogs_.all);
}

void QtHost::ShowResultSheet() {
    Tresultform& sheet = *dialogs_.sheet;
    if (!sheet.isVisible()) {
        table_->ShowModal(sheet);
        return;
    }
    // Opened from the menu: it shows the row just written, and the end of the deal goes on once
    // that sheet is closed.
    sheet.Refresh();
    table_->Sync();
    QEventLoop wait;
    connect(&sheet, &QDialog::finished, &wait, &QEventLoop::quit);
    wait.exec();
}

void QtHost::ShowMessage(std::string_view text) {
    table_->Sync();
    ShowInformation(QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget()
                                                                 : static_cast<QWidget*>(table_),
                    Caption(text));
}

void QtHost::Tick(TimerId timer) {
    // After a pause the timer goes on at the engine's own interval.
    QTimer& t = timer == TimerId::Timer1 ? timer1_ : timer3_;
    if (t.interval() != game_->TimerInterval(timer) && game_->TimerInterval(timer) != 0)
        t.setInterval(game_->TimerInterval(timer));
    if (timer == TimerId::Timer1) {
        game_->Timer1Timer();
    } else {
        game_->Timer3Timer();
    }
    table_->Settled();
}

}  // namespace morvel
