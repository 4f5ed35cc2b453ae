// Thousands of random events on the real windows: clicks anywhere on the table with any button,
// presses and releases on the collection slots, the function keys, the menu, and every modal
// window answered at random (OK without a choice, Escape and closing included), at random moments
// between the steps of both turn loops. After every event the game must still be whole. The engine
// and the windows are built into this test with the address and undefined-behaviour sanitizers.
//
// Every run follows a seed and prints it; MORVEL_FUZZ_SEED=<seed> replays that run alone, and
// MORVEL_FUZZ_EVENTS=<n> sets its length.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <array>
#include <deque>
#include <random>
#include <vector>

#include "image_slot.h"
#include "person.h"
#include "player_options.h"
#include "scaler.h"
#include "windows.h"

namespace morvel {
namespace {

// Enough for every seed to reach whole games; ./morvel soak runs each seed far longer.
constexpr int kEventsPerRun = 4000;
constexpr quint64 kSeeds[] = {1, 2, 3, 4, 5};

class Dice {
  public:
    explicit Dice(quint64 seed) : engine_(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool Percent(int p) { return Below(100) < p; }
    template <typename Items>
    const auto& Pick(const Items& items) {
        return items[Below(static_cast<int>(items.size()))];
    }

  private:
    std::mt19937_64 engine_;
};

// The real host, but the clock and the timers are in the fuzzer's hands: the clock moves on by a
// random stretch at every reading, and the fuzzer fires the steps of whichever timer the engine
// has running, so a seed replays exactly.
class FuzzHost : public QtHost {
  public:
    explicit FuzzHost(quint64 seed) : dice_(seed ^ 0x9E3779B97F4A7C15ull) {}

    void TimerIntervalChanged(TimerId, int) override {}
    uint32_t MillisecondOfDay() override {
        clock_ = (clock_ + 1 + static_cast<uint32_t>(dice_.Below(5000))) % 86'400'000u;
        return clock_;
    }
    void Beep() override {}
    void ShowNameDialog() override {
        started = true;
        QtHost::ShowNameDialog();
    }
    void ShowResultSheet() override {
        if (dialogs_.sheet->isVisible()) ++deferredSheets;
        QtHost::ShowResultSheet();
    }

    // A step as the QTimer gives it: its timeout signal reaches the engine's step with the table's
    // sync, and the last-round window. The host lends its timers read-only; emitting a signal
    // changes nothing of them.
    bool Fire(TimerId timer) {
        return QMetaObject::invokeMethod(const_cast<QTimer*>(&Timer(timer)), "timeout");
    }

    bool started = false;    // the start-up has asked for the name
    int deferredSheets = 0;  // deals that ended while the sheet was open from the menu

  private:
    Dice dice_;
    uint32_t clock_ = 0;
};

// What the runs reached together, so that a fuzzer that no longer gets anywhere shows up.
struct Reach {
    int timer1Steps = 0;
    int timer3Steps = 0;
    int deals = 0;
    int complexDeals = 0;
    int games = 0;
    int humanCards = 0;
    int humanPasses = 0;
    int choiceDialogs = 0;
    int messageBoxes = 0;
    int deferredSheets = 0;
};

class Fuzzer : public QObject, public GameObserver {
  public:
    Fuzzer(quint64 seed, int events, Reach& reach)
        : seed_(seed), events_(events), dice_(seed), reach_(reach) {}

    // Plays the events; returns what broke, empty when nothing did.
    QString Run() {
        auto host = std::make_unique<FuzzHost>(seed_);
        host_ = host.get();
        windows_ = std::make_unique<Windows>(std::move(host));
        windows_->Engine().SetObserver(this);
        // Strong players and hints think briefly here: their work is not what is tested.
        windows_->Form1().findChild<PlayerOptions*>()->Strong().SetBudget({.steps = 300});
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, &Fuzzer::Tick);
        windows_->Form1().showMaximized();
        loop_.exec();
        reach_.deferredSheets += host_->deferredSheets;
        windows_.reset();
        return failure_;
    }

  protected:
    // Counts the choice dialogs and message boxes that come up.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (qobject_cast<ContractDialog*>(watched) != nullptr) ++reach_.choiceDialogs;
            if (qobject_cast<QMessageBox*>(watched) != nullptr) ++reach_.messageBoxes;
        }
        return false;
    }

  private:
    // --- The pump ------------------------------------------------------------------------------

    // One event per tick. The next tick is queued first, so that a modal window the event opens
    // is answered from inside its own loop.
    void Tick() {
        if (finished_) return;
        QTimer::singleShot(0, this, &Fuzzer::Tick);
        // QTest's events run the event queue themselves: a tick arriving inside one of them waits
        // until it is over, unless a modal window has opened a loop of its own meanwhile.
        const int level = QThread::currentThread()->loopLevel();
        if (!actionLevels_.empty() && level <= actionLevels_.back()) return;
        if (!host_->started) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (windingDown_) {
            WindDown(modal);
            return;
        }
        if (event_ >= events_) {
            windingDown_ = true;
            return;
        }
        ++event_;
        actionLevels_.push_back(level);
        if (modal != nullptr) {
            ActOnModal(modal);
        } else {
            ActOnTable();
        }
        actionLevels_.pop_back();
        Check();
    }

    // Closes whatever is open with a proper answer, then stops.
    void WindDown(QWidget* modal) {
        if (modal == nullptr) {
            finished_ = true;
            loop_.quit();
            return;
        }
        if (++windDownTicks_ > 100) {
            Broken(QStringLiteral("%1 cannot be closed").arg(modal->objectName()));
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
            return;
        }
        actionLevels_.push_back(QThread::currentThread()->loopLevel());
        if (auto* name = qobject_cast<Tenterform*>(modal)) {
            name->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Ann"));
        } else if (auto* choice = qobject_cast<ContractDialog*>(modal)) {
            for (QRadioButton* radio : choice->findChildren<QRadioButton*>()) {
                if (radio->isEnabled()) {
                    testing::Click(radio);
                    break;
                }
            }
        }
        if (QPushButton* ok = OkOf(modal)) ok->click();
        actionLevels_.pop_back();
    }

    // --- Events on the table -------------------------------------------------------------------

    void ActOnTable() {
        const GameState& s = windows_->Engine().State();
        const bool cgShown = windows_->Engine().Table().CgVisible();
        if (heldButton_ != Qt::NoButton) return ReleaseHeld();
        if (!modeChosen_) {
            // Odd seeds play "COMPLEX" games, even seeds "NORMAL" ones.
            modeChosen_ = true;
            if (seed_ % 2 == 1) return Key(TableWindow(), Qt::Key_F2, "F2");
        }
        // A new game now and then, but seldom enough for games to reach their end.
        if (dice_.Below(4000) == 0) return NewGameFromMenu();
        const int roll = dice_.Below(100);
        if (s.timer1Interval != 0 && roll < 55) return Step(TimerId::Timer1);
        if (s.timer3Interval != 0 && roll < 55) return Step(TimerId::Timer3);
        if ((s.humanTurn || cgShown) && roll < 75) return HumanMove();
        Mischief();
    }

    void Mischief() {
        TForm1& form = windows_->Form1();
        switch (dice_.Below(8)) {
            case 0:
            case 1: {
                // Anywhere on a slot of any kind, shown or not: the click falls on whatever lies
                // uppermost there.
                const int index = dice_.Below(TableModel::kSlotCount);
                ImageSlot* slot = form.SlotWidget(TableModel::FamilyOfIndex(index),
                                                  TableModel::NumberOfIndex(index));
                return ClickOn(slot, RandomPoint(slot->rect()), RandomButton(), slot->objectName());
            }
            case 2: {
                // A press on a collection slot; the release comes with the next mouse event.
                ImageSlot* slot = form.SlotWidget(Family::J, 1 + dice_.Below(52));
                heldButton_ = RandomButton();
                Note(QStringLiteral("press on %1").arg(slot->objectName()));
                QTest::mousePress(form.windowHandle(), heldButton_, {},
                                  slot->mapTo(&form, RandomPoint(slot->rect())));
                return;
            }
            case 3: {
                QPushButton* button = TableButton(dice_.Percent(50) ? "cg" : "passb");
                if (dice_.Percent(25)) {
                    // Straight to the button, shown or not: the engine's own guard must hold.
                    Note(QStringLiteral("%1 clicked directly").arg(button->objectName()));
                    button->click();
                    return;
                }
                return ClickOn(button, RandomPoint(button->rect()), Qt::LeftButton,
                               button->objectName());
            }
            case 4: {
                static const std::vector<Qt::Key> keys = {
                    Qt::Key_F1,     Qt::Key_F4,     Qt::Key_F5,    Qt::Key_F6,     Qt::Key_F7,
                    Qt::Key_F8,     Qt::Key_F9,     Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                    Qt::Key_Tab,    Qt::Key_Left,   Qt::Key_A,     Qt::Key_Enter,  Qt::Key_F11,
                    Qt::Key_Delete, Qt::Key_Backtab};
                const Qt::Key key = dice_.Pick(keys);
                return Key(TableWindow(), key, QKeySequence(key).toString());
            }
            case 5:
                // The sheet from the menu, often, so that deals end under it.
                return Trigger("Result1");
            case 6: {
                static const std::vector<const char*> actions = {
                    "Result1", "N1",          "LastCard1",   "Slow1",  "Medium1",
                    "Fast1",   "AboutMovel1", "HelpMorvel1", "Pause1", "Playable1",
                    "Strong1", "Standard1",   "Hint1"};
                return Trigger(dice_.Pick(actions));
            }
            default: {
                // A slot's own signals, hidden and disabled slots included: what reaches the
                // engine if a click slips past the widgets.
                const bool hand = dice_.Percent(50);
                ImageSlot* slot =
                    form.SlotWidget(hand ? Family::I : Family::J, 1 + dice_.Below(52));
                const char* signal = hand ? "Clicked" : dice_.Percent(50) ? "Pressed" : "Released";
                Note(QStringLiteral("%1 %2").arg(slot->objectName(), QLatin1String(signal)));
                if (!hand) {
                    const int seat = SeatOfEntry(slot->objectName().mid(1).toInt());
                    pressedBehind_[seat] = signal[0] == 'P';
                }
                QMetaObject::invokeMethod(slot, signal);
                return;
            }
        }
    }

    void NewGameFromMenu() {
        const bool complex = dice_.Percent(50);
        if (dice_.Percent(50)) return Trigger(complex ? "Complex1" : "Normal1");
        Key(TableWindow(), complex ? Qt::Key_F2 : Qt::Key_F3, complex ? "F2" : "F3");
    }

    // What a person who wants to get on would do: choose, or lay a card the rules allow, or pass;
    // now and then he tries a card that does not go.
    void HumanMove() {
        Game& game = windows_->Engine();
        const GameState& s = game.State();
        if (game.Table().CgVisible()) {
            QPushButton* cg = TableButton("cg");
            return ClickOn(cg, cg->rect().center(), Qt::LeftButton, "cg");
        }
        std::vector<int> allowed;
        const bool careless = dice_.Percent(25);
        const bool layout = game.CurrentContract() == kMorvelLetter;
        for (int n = 40; n <= 52; ++n) {
            if (s.hand[n].suit == kPlayed) continue;
            if (Allowed(s, layout, n) || careless) allowed.push_back(n);
        }
        if (allowed.empty()) {
            QPushButton* passb = TableButton("passb");
            return ClickOn(passb, passb->rect().center(), Qt::LeftButton, "passb");
        }
        // A card's visible strip is its left edge; the next card covers the rest.
        ImageSlot* slot = windows_->Form1().SlotWidget(Family::I, dice_.Pick(allowed));
        ClickOn(slot, QPoint(2 + dice_.Below(10), 5 + dice_.Below(70)), Qt::LeftButton,
                slot->objectName());
    }

    // --- Events on a modal window --------------------------------------------------------------

    void ActOnModal(QWidget* modal) {
        const GameState& s = windows_->Engine().State();
        // The timers go on under the windows the menu opens.
        if (s.timer1Interval != 0 && dice_.Percent(40)) return Step(TimerId::Timer1);
        if (s.timer3Interval != 0 && dice_.Percent(40)) return Step(TimerId::Timer3);
        if (heldButton_ != Qt::NoButton) return ReleaseHeld();
        QWindow* window = modal->windowHandle();
        const int roll = dice_.Below(100);
        if (roll < 5) {
            Note(QStringLiteral("close %1").arg(modal->objectName()));
            modal->close();
            return;
        }
        if (roll < 10) return Key(window, Qt::Key_Escape, "Escape");
        if (roll < 18) {
            static const std::vector<Qt::Key> keys = {
                Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab, Qt::Key_F2,       Qt::Key_F3,
                Qt::Key_F4,     Qt::Key_Up,    Qt::Key_X,   Qt::Key_Backspace};
            const Qt::Key key = dice_.Pick(keys);
            return Key(window, key, QKeySequence(key).toString());
        }
        if (auto* name = qobject_cast<Tenterform*>(modal)) {
            if (roll < 60) return TypeName(name);
        } else if (auto* choice = qobject_cast<ContractDialog*>(modal)) {
            if (roll < 70) {
                QRadioButton* radio = dice_.Pick(choice->findChildren<QRadioButton*>());
                if (dice_.Percent(80)) {
                    return ClickOn(radio, testing::IndicatorRect(radio).center(), Qt::LeftButton,
                                   radio->objectName());
                }
                Note(QStringLiteral("%1 clicked directly").arg(radio->objectName()));
                radio->click();
                return;
            }
        } else if (modal->objectName() == QLatin1String("Ttypecardform") && roll < 60) {
            auto* back =
                modal->findChild<ImageSlot*>(QStringLiteral("cc%1").arg(1 + dice_.Below(6)));
            return ClickOn(back, RandomPoint(back->rect()), RandomButton(), back->objectName());
        }
        // Menu windows stay up for a while, so that the game goes on under them.
        if (qobject_cast<ContractDialog*>(modal) == nullptr &&
            qobject_cast<Tenterform*>(modal) == nullptr &&
            qobject_cast<QMessageBox*>(modal) == nullptr && dice_.Percent(75)) {
            return ClickOn(modal, RandomPoint(modal->rect()), RandomButton(), modal->objectName());
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal);
            box != nullptr && box->button(QMessageBox::Yes) != nullptr) {
            // The question before a new game: either answer.
            QAbstractButton* answer =
                box->button(dice_.Percent(50) ? QMessageBox::Yes : QMessageBox::No);
            return ClickOn(answer, answer->rect().center(), Qt::LeftButton, answer->text());
        }
        QPushButton* ok = OkOf(modal);
        if (ok == nullptr) return Broken(modal->objectName() + QStringLiteral(" has no OK button"));
        ClickOn(ok, ok->rect().center(), Qt::LeftButton, modal->objectName() + " OK");
    }

    void TypeName(Tenterform* dialog) {
        static const std::vector<QString> names = {QStringLiteral("Ann"),
                                                   QStringLiteral("vesk"),
                                                   QStringLiteral(" KESTRIN "),
                                                   QStringLiteral("Oru'a"),
                                                   QString(),
                                                   QStringLiteral("سارة"),
                                                   QStringLiteral("😀 محمد 😀"),
                                                   QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"),
                                                   QStringLiteral("x\ty")};
        const QString& name = dice_.Pick(names);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        Note(QStringLiteral("type \"%1\"").arg(name));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        // Typed letters one by one; other scripts as an input method gives them, whole.
        bool latin = true;
        for (QChar c : name)
            latin &= c.unicode() < 128;
        if (latin) {
            QTest::keyClicks(edit, name);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(name);
            QCoreApplication::sendEvent(edit, &commit);
        }
        if (dice_.Percent(50)) Key(dialog->windowHandle(), Qt::Key_Return, "Return");
    }

    // --- The steps of the turn loops ----------------------------------------------------------

    void Step(TimerId timer) {
        const bool first = timer == TimerId::Timer1;
        Note(first ? QStringLiteral("Timer1 step") : QStringLiteral("Timer3 step"));
        for (TimerId running : steps_) {
            // A step is never re-entered (its timer stops before any window it opens); a real
            // QTimer would not even fire.
            if (running == timer) return Broken(QStringLiteral("a step runs inside itself"));
        }
        ++(first ? reach_.timer1Steps : reach_.timer3Steps);
        steps_.push_back(timer);
        if (!host_->Fire(timer)) Broken(QStringLiteral("the timer's signal cannot be sent"));
        steps_.pop_back();
    }

    // --- Ways of acting -----------------------------------------------------------------------

    // A click as the window system delivers it: to the uppermost widget under the pointer, and
    // not at all to a window that a modal window blocks.
    void ClickOn(QWidget* target, QPoint local, Qt::MouseButton button, const QString& what) {
        QWidget* window = target->window();
        Note(QStringLiteral("%1 click on %2").arg(ButtonName(button), what));
        QTest::mouseClick(window->windowHandle(), button, {}, target->mapTo(window, local));
    }

    void ReleaseHeld() {
        TForm1& form = windows_->Form1();
        const QPoint at = RandomPoint(form.centralWidget()->geometry());
        Note(QStringLiteral("%1 release").arg(ButtonName(heldButton_)));
        QTest::mouseRelease(form.windowHandle(), heldButton_, {}, at);
        heldButton_ = Qt::NoButton;
    }

    void Key(QWindow* window, Qt::Key key, const QString& what) {
        Note(QStringLiteral("key %1").arg(what));
        // A window manager gives the keyboard back to the table when a window over it closes;
        // the offscreen platform leaves that to us.
        if (QGuiApplication::focusWindow() != window) {
            window->requestActivate();
            QCoreApplication::processEvents();
        }
        QTest::keyClick(window, key);
    }

    void Trigger(const char* name) {
        Note(QStringLiteral("menu %1").arg(QLatin1String(name)));
        windows_->Form1().findChild<QAction*>(QLatin1String(name))->trigger();
    }

    QWindow* TableWindow() { return windows_->Form1().windowHandle(); }

    QPushButton* TableButton(const char* name) {
        return windows_->Form1().centralWidget()->findChild<QPushButton*>(QLatin1String(name));
    }

    static QPushButton* OkOf(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (box->button(QMessageBox::Ok) != nullptr)
                return qobject_cast<QPushButton*>(box->button(QMessageBox::Ok));
            return box->defaultButton();
        }
        for (QPushButton* button : modal->findChildren<QPushButton*>()) {
            if (button->isDefault()) return button;
        }
        return nullptr;
    }

    QPoint RandomPoint(const QRect& r) {
        return {r.left() + dice_.Below(std::max(1, r.width())),
                r.top() + dice_.Below(std::max(1, r.height()))};
    }

    Qt::MouseButton RandomButton() {
        const int roll = dice_.Below(10);
        return roll < 6 ? Qt::LeftButton : roll < 8 ? Qt::RightButton : Qt::MiddleButton;
    }

    static QString ButtonName(Qt::MouseButton button) {
        return button == Qt::LeftButton    ? QStringLiteral("left")
               : button == Qt::RightButton ? QStringLiteral("right")
                                           : QStringLiteral("middle");
    }

    void Note(const QString& what) {
        trail_.push_back(QStringLiteral("%1: %2").arg(event_).arg(what));
        if (trail_.size() > 30) trail_.pop_front();
    }

    // --- The invariants -----------------------------------------------------------------------

    void Broken(const QString& what) {
        if (!failure_.isEmpty()) return;
        QStringList lines;
        lines << QStringLiteral("seed %1, event %2: %3").arg(seed_).arg(event_).arg(what)
              << QStringLiteral("replay: MORVEL_FUZZ_SEED=%1 MORVEL_FUZZ_EVENTS=%2")
                     .arg(seed_)
                     .arg(events_)
              << QStringLiteral("last events:");
        for (const QString& line : trail_)
            lines << QStringLiteral("  ") + line;
        failure_ = lines.join(QLatin1Char('\n'));
        windingDown_ = true;
    }

    static bool Holds(const GameState& s, int seat, char suit) {
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (s.hand[n].suit == suit) return true;
        }
        return false;
    }

    static int Held(const GameState& s, int seat) {
        int held = 0;
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n)
            held += s.hand[n].suit != kPlayed;
        return held;
    }

    // Whether the rules let the person lay the card of entry n now.
    static bool Allowed(const GameState& s, bool layout, int n) {
        const CardRecord& c = s.hand[n];
        return layout ? Fits(s, c.suit, c.rank)
                      : s.round.position == 1 || c.suit == s.round.cards[1].suit ||
                            !Holds(s, kHuman, s.round.cards[1].suit);
    }

    // A card may go to the board when it is a jack or lies next to either end of its suit's run.
    static bool Fits(const GameState& s, char suit, int rank) {
        if (rank == kJack) return true;
        const auto& value = s.board.value[BoardSuit(suit)];
        return (rank + 1 <= kAce && value[rank + 1] != 0) ||
               (rank - 1 >= 2 && value[rank - 1] != 0);
    }

    // Checked whenever the event loop runs, after every event.
    void Check() {
        if (!failure_.isEmpty() || !dealt_) return;
        const Game& game = windows_->Engine();
        const GameState& s = game.State();
        const TableModel& table = game.Table();

        // Each card is in exactly one hand-table entry, and an entry's card is the one its face
        // shows; a played entry keeps its rank.
        std::array<int, 53> seen{};
        for (int n = 1; n <= 52; ++n) {
            const CardRecord& c = s.hand[n];
            if (c.face < 1 || c.face > 52)
                return Broken(QStringLiteral("entry %1 has no card").arg(n));
            ++seen[c.face];
            const CardRecord& card = cardOfFace_[c.face];
            if (c.rank != card.rank || (c.suit != kPlayed && c.suit != card.suit))
                return Broken(QStringLiteral("entry %1 is not the card of its face").arg(n));
            if (table.Get(Family::I, n).visible != (c.suit != kPlayed))
                return Broken(QStringLiteral("hand slot i%1 shown against its card").arg(n));
        }
        for (int face = 1; face <= 52; ++face) {
            if (seen[face] != 1)
                return Broken(
                    QStringLiteral("card c%1 is in %2 entries").arg(face).arg(seen[face]));
        }

        CheckWindow(table);

        // The loops: one timer at a time; none while a step waits for a window it opened.
        const bool timer1 = s.timer1Interval != 0;
        const bool timer3 = s.timer3Interval != 0;
        if (timer1 && timer3) return Broken(QStringLiteral("Timer1 and Timer3 both run"));
        if (!steps_.empty() && (timer1 || timer3))
            return Broken(QStringLiteral("a timer runs while a step waits for a window"));

        for (int k = 1; k <= 4; ++k) {
            if (s.round.order[k] != SeatAtPosition(s.round.order[1], k))
                return Broken(QStringLiteral("the play order is no rotation of the seats"));
        }

        // A deal is in play while a timer runs or the human player is to move, and then it has
        // its contract: Timer3 paces only Morvel, Timer1 the round contracts and, once a Morvel
        // deal's 52 cards are out, the hand-over that ends it.
        const char letter = game.CurrentContract();
        const bool inPlay = timer1 || timer3 || s.humanTurn;
        if (inPlay && letter == kNoContract)
            return Broken(QStringLiteral("a deal in play without a contract"));
        if (timer3 && letter != kMorvelLetter)
            return Broken(QStringLiteral("Timer3 runs for contract %1").arg(letter));
        if (timer1 && letter == kMorvelLetter && s.dealCardCount < 52)
            return Broken(QStringLiteral("Timer1 runs in a Morvel deal still in play"));
        if (s.humanTurn) {
            if (timer1 || timer3) return Broken(QStringLiteral("a timer runs on the human's turn"));
            if (s.round.position < 1 || s.round.position > 4 ||
                s.round.order[s.round.position] != 1)
                return Broken(QStringLiteral("the human's turn at position %1 of seat %2")
                                  .arg(s.round.position)
                                  .arg(s.round.position >= 1 && s.round.position <= 4
                                           ? s.round.order[s.round.position]
                                           : 0));
        }
        if (table.CgVisible() && (inPlay || s.chooserSeats[s.chooserNumber] != kHuman))
            return Broken(QStringLiteral("Chose Game shown while it is not the human's choice"));

        if (letter == kMorvelLetter) return CheckLayout(s, table);
        if (IsRoundContract(letter) && inPlay) CheckRound(s, table);
    }

    // Cards laid in a round contract: every seat has laid one card per round taken, and in the
    // round in play the first c seats of the play order one more, c being the cards on the table.
    void CheckRound(const GameState& s, const TableModel& table) {
        int played = 0;
        for (int n = 1; n <= 52; ++n)
            played += s.hand[n].suit == kPlayed;
        const int rounds = played / 4;
        const int laid = played % 4;
        const int k = s.round.position;
        // The human's turn waits at the position of the card to come; otherwise the position is
        // that of the last card laid, 0 once the round is taken.
        const int expected = s.humanTurn ? k - 1 : k;
        if (laid != expected)
            return Broken(
                QStringLiteral("%1 cards laid in the round at position %2%3")
                    .arg(laid)
                    .arg(k)
                    .arg(s.humanTurn ? QStringLiteral(" on the human's turn") : QString()));
        for (int i = 1; i <= 4; ++i) {
            const int seat = s.round.order[i];
            const int held = Held(s, seat);
            if (held != 13 - rounds - (i <= laid ? 1 : 0))
                return Broken(QStringLiteral("seat %1 holds %2 cards after %3 rounds and %4 laid")
                                  .arg(seat)
                                  .arg(held)
                                  .arg(rounds)
                                  .arg(laid));
            if (i <= laid &&
                table.Get(Family::P, i).picture !=
                    Picture::Face(FaceOf(s.round.cards[i].suit, s.round.cards[i].rank)))
                return Broken(QStringLiteral("p%1 does not show the card laid there").arg(i));
        }
    }

    // The Morvel board: the cards out of the hands are exactly the cards on the board, each suit
    // an unbroken run through its jack; a seat is out exactly when its hand is empty.
    void CheckLayout(const GameState& s, const TableModel& table) {
        int played = 0;
        for (int n = 1; n <= 52; ++n) {
            if (s.hand[n].suit != kPlayed) continue;
            ++played;
            const CardRecord& card = cardOfFace_[s.hand[n].face];
            const auto& value = s.board.value[BoardSuit(card.suit)];
            if (value[card.rank] != card.rank)
                return Broken(QStringLiteral("card c%1 left the hand but is not on the board")
                                  .arg(card.face));
        }
        int onBoard = 0;
        for (int suit = 0; suit < 4; ++suit) {
            const auto& value = s.board.value[suit];
            int low = 0, high = 0, count = 0;
            for (int r = 2; r <= kAce; ++r) {
                const int v = value[r];
                if (v == 0) continue;
                if (v != r)
                    return Broken(QStringLiteral("board value %1 at rank %2").arg(v).arg(r));
                if (low == 0) low = r;
                high = r;
                ++count;
            }
            onBoard += count;
            if (count > 0 && (low > kJack || high < kJack || high - low + 1 != count))
                return Broken(
                    QStringLiteral("suit %1 of the board is no run through its jack").arg(suit));
        }
        if (played != onBoard)
            return Broken(QStringLiteral("%1 cards out of the hands, %2 on the board")
                              .arg(played)
                              .arg(onBoard));
        int out = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            const bool holds = Held(s, seat) > 0;
            if (s.stillIn[seat] != holds)
                return Broken(QStringLiteral("seat %1 is %2 with %3 cards")
                                  .arg(seat)
                                  .arg(s.stillIn[seat] ? "in" : "out")
                                  .arg(Held(s, seat)));
            out += !holds;
        }
        if (s.nextFinishingPlace != out + 1)
            return Broken(QStringLiteral("next finishing place %1 with %2 seats out")
                              .arg(s.nextFinishingPlace)
                              .arg(out));
        if (s.humanTurn && (!s.stillIn[kHuman] || !table.PassbVisible()))
            return Broken(QStringLiteral("the human's Morvel turn without cards or Pass"));
    }

    // Whenever the event loop runs, the window shows the engine's table: no change waits unseen.
    void CheckWindow(const TableModel& table) {
        TForm1& form = windows_->Form1();
        QWidget* central = form.centralWidget();
        for (int index = 0; index < TableModel::kSlotCount; ++index) {
            const Family family = TableModel::FamilyOfIndex(index);
            const int n = TableModel::NumberOfIndex(index);
            const Slot& slot = table.Get(family, n);
            const ImageSlot* widget = form.SlotWidget(family, n);
            const Rect& r = slot.rect;
            if (widget->isVisibleTo(central) != slot.visible ||
                widget->isEnabled() != slot.enabled || widget->ShownPicture() != slot.picture ||
                widget->geometry() !=
                    form.TableScaler().Map(QRect(r.left, r.top, r.width, r.height)))
                return Broken(QStringLiteral("%1 on screen differs from the table")
                                  .arg(widget->objectName()));
        }
        // On the person's turn exactly the cards the rules refuse are dimmed.
        const GameState& s = windows_->Engine().State();
        const bool layout = windows_->Engine().CurrentContract() == kMorvelLetter;
        for (int n = 40; n <= 52; ++n) {
            const bool refused = form.GetOptions().showPlayable && s.humanTurn &&
                                 s.hand[n].suit != kPlayed && !Allowed(s, layout, n);
            if (form.SlotWidget(Family::I, n)->Dimmed() != refused)
                return Broken(QStringLiteral("i%1 is %2dimmed").arg(n).arg(refused ? "not " : ""));
        }
        // An enlarged taken card only while a button is held on its seat's row.
        for (int seat = 1; seat <= 4; ++seat) {
            const int pig = seat;
            if (table.Get(Family::Pig, pig).picture == Picture::Blank()) {
                pressedBehind_[seat] = false;
                continue;
            }
            bool held = pressedBehind_[seat];
            for (int j = BlockOf(seat).first; j <= BlockOf(seat).last; ++j)
                held |= form.SlotWidget(Family::J, j)->Held();
            if (!held) return Broken(QStringLiteral("pig%1 shows with no button held").arg(pig));
        }
        if (TableButton("cg")->isVisibleTo(central) != table.CgVisible() ||
            TableButton("passb")->isVisibleTo(central) != table.PassbVisible())
            return Broken(QStringLiteral("Chose Game or Pass on screen differs from the table"));
    }

    // Whoever moves is the seat at turn: the human player by a click on his turn, a computer seat
    // in a step of its contract's timer.
    void CheckMover(int seat, TimerId timer, const char* what) {
        const GameState& s = windows_->Engine().State();
        const int k = s.round.position;
        if (k < 1 || k > 4 || s.round.order[k] != seat)
            return Broken(QStringLiteral("seat %1 %2 at position %3 out of turn")
                              .arg(seat)
                              .arg(QLatin1String(what))
                              .arg(k));
        if (seat == kHuman ? !s.humanTurn || !steps_.empty()
                           : steps_.empty() || steps_.back() != timer)
            return Broken(QStringLiteral("seat %1 %2 outside its turn").arg(seat).arg(what));
    }

    // --- What the engine reports ----------------------------------------------------------------

    void OnDealt(uint32_t) override {
        if (!dealt_) {
            for (int n = 1; n <= 52; ++n) {
                const CardRecord& c = kCardTable[n];
                cardOfFace_[c.face] = c;
            }
        }
        dealt_ = true;
        ++reach_.deals;
        if (windows_->Engine().State().mode == GameMode::Complex) ++reach_.complexDeals;
    }

    void OnLay(int seat, char suit, int) override {
        const Game& game = windows_->Engine();
        const GameState& s = game.State();
        if (!IsRoundContract(game.CurrentContract()))
            return Broken(QStringLiteral("a card laid in a round without a round contract"));
        CheckMover(seat, TimerId::Timer1, "lays");
        // Whoever holds the lead suit follows it.
        const char lead = s.round.cards[1].suit;
        if (s.round.position > 1 && suit != lead && Holds(s, seat, lead))
            return Broken(QStringLiteral("seat %1 does not follow %2").arg(seat).arg(lead));
        if (seat == kHuman) ++reach_.humanCards;
    }

    void OnMove(int seat, char, int) override {
        if (windows_->Engine().CurrentContract() != kMorvelLetter)
            return Broken(QStringLiteral("a card laid on the board outside Morvel"));
        CheckMover(seat, TimerId::Timer3, "lays on the board");
        if (seat == kHuman) ++reach_.humanCards;
    }

    void OnPass(int seat) override {
        const GameState& s = windows_->Engine().State();
        CheckMover(seat, TimerId::Timer3, "passes");
        for (int n = BlockOf(seat).first; n <= BlockOf(seat).last; ++n) {
            if (s.hand[n].suit != kPlayed && Fits(s, s.hand[n].suit, s.hand[n].rank))
                return Broken(QStringLiteral("seat %1 passes holding entry %2").arg(seat).arg(n));
        }
        if (seat == kHuman) ++reach_.humanPasses;
    }

    bool OnGameOver() override {
        ++reach_.games;
        return true;
    }

    const quint64 seed_;
    const int events_;
    Dice dice_;
    Reach& reach_;
    FuzzHost* host_ = nullptr;
    std::unique_ptr<Windows> windows_;
    QEventLoop loop_;

    int event_ = 0;
    bool finished_ = false;
    bool windingDown_ = false;
    int windDownTicks_ = 0;
    bool modeChosen_ = false;
    bool dealt_ = false;
    std::vector<int> actionLevels_;  // event-loop level at the start of each event in progress
    std::vector<TimerId> steps_;     // the steps in progress, innermost last
    Qt::MouseButton heldButton_ = Qt::NoButton;
    // By seat: a collection slot's Pressed signal sent past the widget, which holds no button.
    std::array<bool, 5> pressedBehind_{};
    std::array<CardRecord, 53> cardOfFace_{};
    std::deque<QString> trail_;
    QString failure_;
};

}  // namespace
}  // namespace morvel

class WindowFuzzTest : public QObject {
    Q_OBJECT

    morvel::Reach reach_;
    bool replay_ = false;

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void randomEventsKeepTheGameWhole_data() {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<int>("events");
        const int events = qEnvironmentVariableIsSet("MORVEL_FUZZ_EVENTS")
                               ? qEnvironmentVariableIntValue("MORVEL_FUZZ_EVENTS")
                               : morvel::kEventsPerRun;
        const quint64 replay = qEnvironmentVariable("MORVEL_FUZZ_SEED").toULongLong(&replay_);
        auto row = [&](quint64 seed) {
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed << events;
        };
        if (replay_) return row(replay);
        for (quint64 seed : morvel::kSeeds)
            row(seed);
    }

    void randomEventsKeepTheGameWhole() {
        QFETCH(quint64, seed);
        QFETCH(int, events);
        // Printed first: a sanitizer stops the program without Qt Test's report.
        qInfo("seed %llu, %d events (replay: MORVEL_FUZZ_SEED=%llu)", seed, events, seed);
        morvel::Fuzzer fuzzer(seed, events, reach_);
        const QString failure = fuzzer.Run();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    // The runs together went everywhere worth going.
    void runsReachedEveryPartOfTheGame() {
        const morvel::Reach& r = reach_;
        qInfo(
            "deals %d (complex %d), games %d, steps %d + %d, human cards %d, passes %d, "
            "choice dialogs %d, message boxes %d, deals ended under the open sheet %d",
            r.deals, r.complexDeals, r.games, r.timer1Steps, r.timer3Steps, r.humanCards,
            r.humanPasses, r.choiceDialogs, r.messageBoxes, r.deferredSheets);
        if (replay_) QSKIP("a replay runs one seed");
        QVERIFY(r.timer1Steps > 0);
        QVERIFY(r.timer3Steps > 0);
        QVERIFY(r.complexDeals > 0);
        QVERIFY(r.deals > r.complexDeals);
        QVERIFY(r.games > 0);
        QVERIFY(r.humanCards > 0);
        QVERIFY(r.humanPasses > 0);
        QVERIFY(r.choiceDialogs > 0);
        QVERIFY(r.messageBoxes > 0);
        QVERIFY(r.deferredSheets > 0);
    }
};

QTEST_MAIN(WindowFuzzTest)
#include "window_fuzz_test.moc"
