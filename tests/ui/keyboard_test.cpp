// The game from the keyboard alone: whole deals played with keys typed into whichever window has
// the keyboard (and not one mouse event), and the table's keys one by one: where the focus goes
// when the person's turn comes and when a card leaves, Tab and the arrows round the table, a
// refused card answered as a click is, the F-keys wherever the focus is, the taken card shown
// while Enter is held, the ring around the focused card, the side windows' keys.
#include <QAction>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <vector>

#include "caption_ink.h"
#include "focus_outline.h"
#include "image_slot.h"
#include "sheet_table.h"
#include "table_keys.h"
#include "test_windows.h"
#include "ui_test_main.h"

using morvel::Family;
using morvel::GameState;
using morvel::ImageSlot;
using morvel::Picture;
using morvel::TimerId;
using morvel::testing::StartedWindows;

namespace {

// Counts the mouse and touch events the application delivers.
class MouseWatch : public QObject {
  public:
    MouseWatch() { qApp->installEventFilter(this); }
    ~MouseWatch() override { qApp->removeEventFilter(this); }
    int events = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type t = event->type();
        events += t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
                  t == QEvent::MouseButtonDblClick || t == QEvent::Wheel ||
                  t == QEvent::TouchBegin || t == QEvent::NonClientAreaMouseButtonPress;
        return false;
    }
};

// A key as the keyboard sends it: to the window, through Qt's shortcuts first, then to that
// window's focused control.
void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// Where the person's turn starts, by the engine's own answer: the first card it would lay, or
// Pass when none fits.
QWidget* ExpectedTurnFocus(morvel::TForm1& form, const morvel::Game& game) {
    for (int n = 40; n <= 52; ++n) {
        ImageSlot* slot = form.SlotWidget(Family::I, n);
        if (!slot->isHidden() && game.WouldLay(n)) return slot;
    }
    return form.centralWidget()->findChild<QPushButton*>(QStringLiteral("passb"));
}

// 12:00:00.006 deals the seven of hearts to seat 1, so the person chooses first; the clock
// stands still, so every deal is this deal. The test fires the timers itself.
class KeyboardHost : public morvel::QtHost {
  public:
    uint32_t MillisecondOfDay() override { return 43200006; }
    void Beep() override { ++beeps; }
    void TimerIntervalChanged(TimerId, int) override {}
    int beeps = 0;
};

// The person at the keyboard: once per turn of the event loop, in whatever window is up, one
// thing is done by keys (or, while the computer players are to move, their timer fires). A key
// that opens a window goes on in that window's own loop, so one step is always waiting; the
// events a key's delivery processes on the same loop do not start another step meanwhile.
class KeyboardPerson : public QObject {
  public:
    KeyboardPerson(morvel::Windows& windows, KeyboardHost& host) : w_(windows), host_(host) {}

    std::vector<int> contracts;  // by radio button, in the order the dialogs come
    QStringList failures;
    QStringList sheets;  // each deal's row, as the sheet showed it
    int cards = 0;
    int passes = 0;
    bool done = false;

    void Schedule() {
        if (pending_ > 0) return;
        ++pending_;
        QTimer::singleShot(0, this, [this] { Act(); });
    }

  private:
    void Fail(const QString& why) {
        failures << why;
        done = true;
    }

    // Keys wait until `window` has the keyboard. Without a window manager nothing gives it back
    // to the table when a dialog closes: it is asked for, as a window manager would.
    bool Keyboard(QWidget* window) {
        if (QGuiApplication::focusWindow() == window->windowHandle()) return true;
        if (QGuiApplication::focusWindow() == nullptr) window->activateWindow();
        if (++waits_ > 10000) Fail("the keyboard never came to " + window->objectName());
        return false;
    }

    void Act() {
        --pending_;
        const int level = QThread::currentThread()->loopLevel();
        if (done || acting_.contains(level)) return;
        acting_.insert(level);
        Schedule();
        QWidget* modal = QApplication::activeModalWidget();
        if (++steps_ > 100000) {
            Fail(QStringLiteral("no end of the deals"));
        } else if (modal == nullptr) {
            Table();
        } else if (!Keyboard(modal)) {
        } else if (modal == &w_.Enterform()) {
            for (char letter : {'A', 'n', 'n'})
                QTest::keyClick(modal->windowHandle(), letter);
            Key(modal, Qt::Key_Return);
        } else if (modal == &w_.Choosform()) {
            Choose(w_.Choosform());
        } else if (modal == &w_.Resultform()) {
            const GameState& s = w_.Engine().State();
            sheets << w_.Resultform()
                          .Grid((s.chooserNumber - 1) * 5 + 1)
                          ->Cell(s.contractNumber - 1, 1);
            Key(modal, Qt::Key_Return);
            done = sheets.size() == 2;
        } else {
            Fail("unexpected window " + modal->objectName());
        }
        acting_.remove(level);
        Schedule();
    }

    // From the first free contract, Down to the one wanted, over the used ones; Enter chooses
    // it and puts the focus on OK; Enter again.
    void Choose(morvel::Tchoosform& dialog) {
        if (contracts.empty()) return Fail(QStringLiteral("a contract dialog too many"));
        const int k = contracts.front();
        contracts.erase(contracts.begin());
        int first = 1;
        while (!dialog.Radio(first)->isEnabled())
            ++first;
        if (dialog.focusWidget() != dialog.Radio(first))
            return Fail("not on the first free contract");
        for (int presses = 0; dialog.focusWidget() != dialog.Radio(k); ++presses) {
            Key(&dialog, Qt::Key_Down);
            if (presses > 5 || !dialog.focusWidget()->isEnabled()) return Fail("Down went astray");
        }
        Key(&dialog, Qt::Key_Return);
        if (dialog.focusWidget() != dialog.OkButton()) return Fail("Enter did not choose");
        Key(&dialog, Qt::Key_Return);
    }

    void Table() {
        morvel::Game& game = w_.Engine();
        morvel::TForm1& form = w_.Form1();
        if (game.TimerInterval(TimerId::Timer1) != 0 || game.TimerInterval(TimerId::Timer3) != 0) {
            if (game.TimerInterval(TimerId::Timer1) != 0) {
                game.Timer1Timer();
            } else {
                game.Timer3Timer();
            }
            form.Sync();
            return;
        }
        auto* cg = form.centralWidget()->findChild<QPushButton*>(QStringLiteral("cg"));
        QWidget* expected = cg->isVisible() ? cg : ExpectedTurnFocus(form, game);
        // Start-up, or a deal being dealt: nothing for the person yet.
        if (!cg->isVisible() && !game.State().humanTurn) {
            if (++waits_ > 10000) Fail(QStringLiteral("nothing to do at the table"));
            return;
        }
        if (!Keyboard(&form)) return;
        if (form.focusWidget() != expected)
            return Fail("the focus is not on " + expected->objectName());
        const int beeps = host_.beeps;
        if (!cg->isVisible()) ++(expected->objectName() == "passb" ? passes : cards);
        Key(&form, Qt::Key_Return);
        if (host_.beeps != beeps) Fail(QStringLiteral("Enter on the focus was refused"));
    }

    morvel::Windows& w_;
    KeyboardHost& host_;
    int steps_ = 0;
    int waits_ = 0;
    int pending_ = 0;
    QSet<int> acting_;  // event loop levels with a step under way
};

bool InHand(const GameState& s, int entry) {
    return s.hand[entry].suit != morvel::kPlayed;
}

}  // namespace

class KeyboardTest : public morvel::testing::WindowsTest {
    Q_OBJECT

    QWidget* Focus() { return Form1().focusWidget(); }
    QWidget* Passb() {
        return Form1().centralWidget()->findChild<QWidget*>(QStringLiteral("passb"));
    }
    int FocusedEntry() { return Focus()->objectName().mid(1).toInt(); }

    // Plays on to `done`, which then shows at the table as the engine left it; the table has
    // the keyboard.
    void StartAndPlayUntil(const std::function<bool()>& done) {
        started_ = std::make_unique<StartedWindows>();
        Form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form1()));
        QVERIFY(started_->PlayUntil(done));
    }
    // The person's turn of a round deal with cards the engine takes and cards it refuses.
    bool MixedTurn() {
        return morvel::IsRoundContract(Engine().CurrentContract()) &&
               morvel::testing::MixedTurn(Engine());
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void cleanup() { started_.reset(); }

    // A whole Normal deal (Heart King) and a whole layout deal, both chosen in the contract
    // dialog and ended at the result sheet, with keys alone.
    void wholeDealsWithKeysAlone() {
        MouseWatch mouse;
        auto owned = std::make_unique<KeyboardHost>();
        KeyboardHost& host = *owned;
        morvel::Windows windows(std::move(owned));
        KeyboardPerson person(windows, host);
        person.contracts = {2, 5};
        person.Schedule();
        windows.Form1().showMaximized();
        QTRY_VERIFY_WITH_TIMEOUT(person.done, 60000);
        QVERIFY2(person.failures.isEmpty(), qPrintable(person.failures.join("; ")));
        QCOMPARE(windows.Engine().State().playerName, std::string("Ann"));
        QCOMPARE(person.sheets, (QStringList{"Heart King", "Morvel"}));
        // The thirteen cards of the layout deal and the passes when nothing fitted, by Enter.
        QVERIFY(person.cards >= 13 + 1);
        QVERIFY(person.passes > 0);
        QCOMPARE(host.beeps, 0);
        QCOMPARE(mouse.events, 0);
    }

    // (With "Show playable cards" on, see the whole deals.) Without it the turn starts on the
    // first card of the hand.
    void turnWithoutPlayableCardsStartsOnTheFirstCard() {
        StartAndPlayUntil([&] { return MixedTurn(); });
        Form1().findChild<QAction*>(QStringLiteral("Playable1"))->trigger();
        Key(&Form1(), Qt::Key_Return);
        QVERIFY(!State().humanTurn);
        QVERIFY(started_->PlayUntil([&] { return State().humanTurn; }));
        int first = 40;
        while (!InHand(State(), first))
            ++first;
        QCOMPARE(Focus(), Slot(Family::I, first));
    }

    // Enter or Space on a card the engine refuses: the beep and flash of a click, nothing else.
    void refusedCardByKeyIsTheClicksRefusal() {
        StartAndPlayUntil([&] { return MixedTurn(); });
        Key(&Form1(), Qt::Key_Home);
        for (int presses = 0; presses < 13 && Engine().WouldLay(FocusedEntry()); ++presses)
            Key(&Form1(), Qt::Key_Right);
        const int refused = FocusedEntry();
        QVERIFY(!Engine().WouldLay(refused));
        const GameState before = State();
        Key(&Form1(), Qt::Key_Return);
        Key(&Form1(), Qt::Key_Space);
        QCOMPARE(started_->host->beeps, 2);
        QVERIFY(State() == before);
        QVERIFY(Slot(Family::I, refused)->Flashing());
        QCOMPARE(FocusedEntry(), refused);
    }

    // Left, Right, Home and End go over the cards in hand only; a card laid hands the focus to
    // its right-hand neighbour (the last one to its left).
    void arrowsAndLaidCardsNeverLeaveTheFocusOnAGap() {
        StartAndPlayUntil([&] {
            int played = 0;
            for (int n = 41; n <= 51; ++n)
                played += InHand(State(), n) ? 0 : 1;
            return State().humanTurn && played >= 2 && InHand(State(), 52);
        });
        std::vector<int> held;
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n)) held.push_back(n);
        }
        Key(&Form1(), Qt::Key_Home);
        QCOMPARE(FocusedEntry(), held.front());
        for (size_t i = 1; i <= held.size(); ++i) {
            Key(&Form1(), Qt::Key_Right);  // and once more at the end of the hand
            QCOMPARE(FocusedEntry(), held[std::min(i, held.size() - 1)]);
        }
        Key(&Form1(), Qt::Key_Left);
        QCOMPARE(FocusedEntry(), held[held.size() - 2]);
        Key(&Form1(), Qt::Key_End);
        QCOMPARE(FocusedEntry(), held.back());

        size_t laid = held.size();
        while (!Engine().WouldLay(held[--laid])) {
        }
        Slot(Family::I, held[laid])->setFocus();
        Key(&Form1(), Qt::Key_Return);
        QVERIFY(!InHand(State(), held[laid]));
        QCOMPARE(FocusedEntry(), laid + 1 < held.size() ? held[laid + 1] : held[laid - 1]);
    }

    // Tab and Shift+Tab: the hand, Chose Game, Pass, the taken cards, each while it is there.
    void tabGoesRoundTheGroups() {
        StartAndPlayUntil([&] {
            return Engine().CurrentContract() == morvel::kMorvelLetter &&
                   morvel::testing::MixedTurn(Engine());
        });
        // Taken cards as a round contract shows them.
        morvel::TableModel& model = Engine().MutableTable();
        for (int j : {28, 41}) {
            model.SetPicture(Family::J, j, Picture::Back(1));
            model.SetVisible(Family::J, j, true);
        }
        Form1().Sync();
        QWidget* hand = Focus();
        QCOMPARE(hand, ExpectedTurnFocus(Form1(), Engine()));
        const QList<std::pair<Qt::Key, QWidget*>> steps = {
            {Qt::Key_Tab, Passb()},                  // Chose Game is not shown
            {Qt::Key_Tab, Slot(Family::J, 41)},      // the person's row first
            {Qt::Key_Down, Slot(Family::J, 28)},     // then Oru'a's
            {Qt::Key_Tab, hand},                     // round to the hand
            {Qt::Key_Backtab, Slot(Family::J, 28)},  // the taken card focused last
            {Qt::Key_Backtab, Passb()}};
        for (const auto& [key, to] : steps) {
            Key(&Form1(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(Focus(), to);
        }
        // Enter presses Pass: a card fits, so it is refused as a click is, and what fits flashes.
        const GameState before = State();
        Key(&Form1(), Qt::Key_Return);
        QCOMPARE(started_->host->beeps, 1);
        QVERIFY(State() == before);
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n)) QCOMPARE(Slot(Family::I, n)->Flashing(), Engine().WouldLay(n));
        }
    }

    // The F-keys with the focus on a card; Enter held on a taken card shows it large until the
    // key is released or the focus goes.
    void functionKeysAndTheHeldTakenCard() {
        StartAndPlayUntil([&] { return MixedTurn(); });
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = QApplication::activeModalWidget() == &started_->windows->Lastform();
            Key(&started_->windows->Lastform(), Qt::Key_Return);
        });
        Key(&Form1(), Qt::Key_F6);
        QVERIFY(opened);
        Form1().activateWindow();  // as the window manager does once the window has closed
        QVERIFY(QTest::qWaitForWindowActive(&Form1()));
        Key(&Form1(), Qt::Key_F7);
        QCOMPARE(State().speedInterval, morvel::kSlowInterval);

        Engine().MutableTable().SetPicture(Family::J, 14, Picture::Face(12));
        Engine().MutableTable().SetVisible(Family::J, 14, true);
        Form1().Sync();
        Slot(Family::J, 14)->setFocus(Qt::TabFocusReason);
        ImageSlot* zoom = Slot(Family::Pig, 3);
        QTest::keyPress(Form1().windowHandle(), Qt::Key_Return);
        QCOMPARE(zoom->ShownPicture(), Picture::Face(12));
        // A key held down repeats, a release and a press at a time: the card stays.
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(Slot(Family::J, 14), &repeat);
        }
        QCOMPARE(zoom->ShownPicture(), Picture::Face(12));
        QTest::keyRelease(Form1().windowHandle(), Qt::Key_Return);
        QCOMPARE(zoom->ShownPicture(), Picture::Blank());
        QTest::keyPress(Form1().windowHandle(), Qt::Key_Space);
        QCOMPARE(zoom->ShownPicture(), Picture::Face(12));
        Form1().centralWidget()->setFocus();
        QCOMPARE(zoom->ShownPicture(), Picture::Blank());
    }

    // The ring stands round the part of the focused card that is seen, in bands as wide as the
    // table's scale makes them, and follows the focus.
    void ringStandsRoundTheSeenPartOfTheFocusedCard() {
        StartAndPlayUntil([&] { return MixedTurn(); });
        std::vector<int> held;
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n)) held.push_back(n);
        }
        ImageSlot* card = Slot(Family::I, held[0]);
        card->setFocus(Qt::TabFocusReason);
        morvel::FocusOutline& ring = Form1().Outline();
        const QRect seen(card->pos(),
                         QSize(Slot(Family::I, held[1])->x() - card->x(), card->height()));
        QCOMPARE(ring.Around(), seen);

        const qreal factor = Form1().TableScaler().Factor();
        const int outer = morvel::FocusOutline::OuterWidth(factor);
        const int band = outer + morvel::FocusOutline::InnerWidth(factor);
        QVERIFY(factor > 1 && outer >= qRound(2 * factor));
        const QImage table = morvel::testing::Rendered(Form1().centralWidget());
        const int y = seen.center().y();
        for (int x = seen.left() - band; x < seen.left() - band + outer; ++x)
            QCOMPARE(table.pixelColor(x, y), morvel::FocusOutline::kOuter);
        QCOMPARE(table.pixelColor(seen.left() - 1, y), morvel::FocusOutline::kInner);
        QCOMPARE(table.pixelColor(seen.left() - band - 1, y), QColor(0, 128, 64));

        Engine().MutableTable().SetPassbVisible(true);
        Form1().Sync();
        Passb()->setFocus(Qt::TabFocusReason);
        QCOMPARE(ring.Around(), Passb()->geometry());
        Form1().centralWidget()->setFocus();
        QVERIFY(!ring.isVisible());
    }

    // The contract dialog's arrows skip the used contracts and go round; Tab and Enter choose a
    // card back; Tab from OK into the result sheet, whose cells the arrows walk with the ring.
    void sideWindowKeys() {
        StartAndPlayUntil([] { return true; });
        morvel::Windows& w = *started_->windows;
        GameState& s = Engine().MutableState();
        s.contractList.Clear();
        s.chooseDialog.Reset();
        s.chooseDialog.enabled[1] = false;
        s.chooseDialog.enabled[3] = false;
        s.contractNumber = 2;
        QStringList focused;
        QTimer::singleShot(0, [&] {
            focused << w.Choosform().focusWidget()->objectName();
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up,
                                Qt::Key_Return}) {
                Key(&w.Choosform(), key);
                focused << w.Choosform().focusWidget()->objectName();
            }
            Key(&w.Choosform(), Qt::Key_Return);
        });
        Form1().ShowModal(w.Choosform());
        QCOMPARE(focused, (QStringList{"r2", "r4", "r5", "r2", "r5", "r4", "BitBtn1"}));
        QCOMPARE(State().contractList[2], 'L');

        QTimer::singleShot(0, [&] {
            for (Qt::Key key :
                 {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Return})
                Key(&w.Typecardform(), key);
        });
        Form1().ShowModal(w.Typecardform());
        QCOMPARE(State().cardBack, 3);
        QCOMPARE(Slot(Family::I, 1)->ShownPicture(), Picture::Back(3));

        morvel::SheetTable* table = w.Resultform().Table();
        QRect ring;
        QTimer::singleShot(0, [&] {
            for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Left, Qt::Key_Down, Qt::Key_PageDown})
                Key(&w.Resultform(), key);
            ring = w.Resultform().findChild<morvel::FocusOutline*>()->Around();
            Key(&w.Resultform(), Qt::Key_Return);
        });
        Form1().ShowModal(w.Resultform());
        QCOMPARE(table->CurrentRow(), 6);
        QCOMPARE(table->CurrentColumn(), 1);
        QCOMPARE(ring, table->CellRect(6, 1).translated(table->pos()));
    }
};

MORVEL_UI_TEST(KeyboardTest)
#include "keyboard_test.moc"
