// The game from the keyboard alone: whole deals played with keys typed into whichever window has
// the keyboard (and not one mouse event), and the table's keys one by one: where the focus goes
// when the person's turn comes and when a card leaves, the way Tab and the arrows go round the
// table, a refused card answered as a click is, the F-keys wherever the focus is, the taken card
// shown while Enter is held, the ring around the focused card, the contract dialog's keys.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <vector>

#include "caption_ink.h"
#include "focus_outline.h"
#include "image_slot.h"
#include "sheet_table.h"
#include "table_keys.h"
#include "test_windows.h"

using morvel::Family;
using morvel::GameState;
using morvel::ImageSlot;
using morvel::Picture;
using morvel::TimerId;
using morvel::testing::StartedWindows;

namespace {

// Counts every mouse and touch event the application delivers.
class MouseWatch : public QObject {
  public:
    MouseWatch() { qApp->installEventFilter(this); }
    ~MouseWatch() override { qApp->removeEventFilter(this); }
    int events = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::TouchBegin:
            case QEvent::NonClientAreaMouseButtonPress:
                ++events;
                break;
            default:
                break;
        }
        return false;
    }
};

// A key as the keyboard sends it: to the window that has the keyboard, through Qt's shortcuts
// first, then to that window's focused control.
void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// The card the person's turn starts on, by the engine's own answer: the first card it would lay,
// or Pass when none fits.
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
    KeyboardPerson(morvel::Windows& windows, KeyboardHost& host) : windows_(windows), host_(host) {}

    // The contracts to choose, by radio button, in the order the dialogs come.
    std::vector<int> contracts;
    QStringList failures;
    QStringList sheets;  // the English name of each deal's row, as the sheet showed it
    int cardsByKey = 0;
    int passesByKey = 0;
    bool done = false;

    void Start() { Schedule(); }

  private:
    void Schedule() {
        if (pending_ > 0) return;
        ++pending_;
        QTimer::singleShot(0, this, [this] { Act(); });
    }

    void Fail(const QString& why) {
        failures << why;
        done = true;
    }

    // The window that has the keyboard, when it is the one expected; keys wait until it is.
    // Without a window manager nothing gives the keyboard back to the table when a dialog
    // closes: it is asked for, as a window manager would.
    QWidget* Keyboard(QWidget* expected) {
        if (QGuiApplication::focusWindow() != expected->windowHandle()) {
            if (QGuiApplication::focusWindow() == nullptr) expected->activateWindow();
            if (++waits_ > 10000) Fail("the keyboard never came to " + expected->objectName());
            return nullptr;
        }
        waits_ = 0;
        return expected;
    }

    void Act() {
        --pending_;
        const int level = QThread::currentThread()->loopLevel();
        if (done || acting_.contains(level)) return;
        acting_.insert(level);
        Schedule();
        if (++steps_ > 100000) {
            Fail(QStringLiteral("no end of the deals"));
        } else {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == &windows_.Enterform()) {
                Name();
            } else if (modal == &windows_.Choosform()) {
                Choose();
            } else if (modal == &windows_.Resultform()) {
                Sheet();
            } else if (modal != nullptr) {
                Fail("unexpected window " + modal->objectName());
            } else {
                Table();
            }
        }
        acting_.remove(level);
        Schedule();
    }

    void Name() {
        QWidget* dialog = Keyboard(&windows_.Enterform());
        if (dialog == nullptr) return;
        for (char letter : {'A', 'n', 'n'})
            QTest::keyClick(dialog->windowHandle(), letter);
        Key(dialog, Qt::Key_Return);
    }

    void Choose() {
        morvel::Tchoosform& dialog = windows_.Choosform();
        if (Keyboard(&dialog) == nullptr) return;
        if (contracts.empty()) return Fail(QStringLiteral("a contract dialog too many"));
        const int k = contracts.front();
        contracts.erase(contracts.begin());
        // The first contract still free has the focus; Down goes on, over the used ones.
        int first = 1;
        while (!dialog.Radio(first)->isEnabled())
            ++first;
        if (dialog.focusWidget() != dialog.Radio(first))
            return Fail(
                QStringLiteral("the dialog opened without the first free contract focused"));
        for (int presses = 0; dialog.focusWidget() != dialog.Radio(k); ++presses) {
            if (presses > 5) return Fail(QStringLiteral("Down never reached r%1").arg(k));
            QWidget* before = dialog.focusWidget();
            Key(&dialog, Qt::Key_Down);
            if (!qobject_cast<QRadioButton*>(dialog.focusWidget())->isEnabled() ||
                dialog.focusWidget() == before)
                return Fail(QStringLiteral("Down stopped on a used contract"));
        }
        Key(&dialog, Qt::Key_Return);  // chooses, and the focus goes to OK
        if (dialog.focusWidget() != dialog.OkButton())
            return Fail(QStringLiteral("Enter on a contract did not choose it"));
        Key(&dialog, Qt::Key_Return);
    }

    void Sheet() {
        morvel::Tresultform& sheet = windows_.Resultform();
        if (Keyboard(&sheet) == nullptr) return;
        const GameState& s = windows_.Engine().State();
        sheets << sheet.Grid((s.chooserNumber - 1) * 5 + 1)->Cell(s.contractNumber - 1, 1);
        Key(&sheet, Qt::Key_Return);
        if (sheets.size() == 2) done = true;
    }

    void Table() {
        morvel::Game& game = windows_.Engine();
        morvel::TForm1& form = windows_.Form1();
        if (game.TimerInterval(TimerId::Timer1) != 0) {
            game.Timer1Timer();
            form.Sync();
            return;
        }
        if (game.TimerInterval(TimerId::Timer3) != 0) {
            game.Timer3Timer();
            form.Sync();
            return;
        }
        if (Keyboard(&form) == nullptr) return;
        auto* cg = form.centralWidget()->findChild<QPushButton*>(QStringLiteral("cg"));
        if (cg->isVisible()) {
            if (form.focusWidget() != cg)
                return Fail(QStringLiteral("Chose Game without the focus"));
            Key(&form, Qt::Key_Return);
            return;
        }
        // Start-up, or a deal being dealt: nothing for the person yet.
        if (!game.State().humanTurn) {
            if (++waits_ > 10000) Fail(QStringLiteral("nothing to do at the table"));
            return;
        }
        QWidget* expected = ExpectedTurnFocus(form, game);
        if (form.focusWidget() != expected) {
            return Fail(QStringLiteral("the turn's focus is on %1, not %2")
                            .arg(form.focusWidget() ? form.focusWidget()->objectName() : "nothing",
                                 expected->objectName()));
        }
        const int beeps = host_.beeps;
        ++(qobject_cast<QPushButton*>(expected) != nullptr ? passesByKey : cardsByKey);
        Key(&form, Qt::Key_Return);
        if (host_.beeps != beeps) Fail(QStringLiteral("Enter on the focus was refused"));
    }

    morvel::Windows& windows_;
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

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    morvel::Game& Engine() { return started_->Engine(); }
    const GameState& State() { return started_->Engine().State(); }
    morvel::TForm1& Form1() { return started_->Form1(); }
    ImageSlot* Slot(Family family, int n) { return Form1().SlotWidget(family, n); }
    QWidget* Focus() { return Form1().focusWidget(); }
    QPushButton* Button(const char* name) {
        return Form1().centralWidget()->findChild<QPushButton*>(QLatin1String(name));
    }
    QAction* Action(const char* name) { return Form1().findChild<QAction*>(QLatin1String(name)); }

    void Start() {
        started_ = std::make_unique<StartedWindows>();
        Form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form1()));
    }

    bool PlayUntil(const std::function<bool()>& done) { return started_->PlayUntil(done); }

    // The person's turn of a round deal with cards the engine takes and cards it refuses.
    bool MixedTurn() {
        return morvel::IsRoundContract(Engine().CurrentContract()) &&
               morvel::testing::MixedTurn(Engine());
    }

    // The turn as the table shows it once the engine has handed it to the person.
    void TurnCame() {
        Form1().Sync();
        QVERIFY(State().humanTurn);
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
        person.Start();
        windows.Form1().showMaximized();
        QTRY_VERIFY_WITH_TIMEOUT(person.done, 60000);
        QVERIFY2(person.failures.isEmpty(), qPrintable(person.failures.join("; ")));

        QCOMPARE(windows.Engine().State().playerName, std::string("Ann"));
        QCOMPARE(person.sheets, (QStringList{"Heart King", "Morvel"}));
        QVERIFY(person.contracts.empty());
        // Every card of the layout deal went to the board, the person's thirteen by Enter.
        QVERIFY(person.cardsByKey >= 13 + 1);
        QCOMPARE(host.beeps, 0);
        QCOMPARE(mouse.events, 0);
    }

    void turnPutsTheFocusOnTheFirstPlayableCard() {
        Start();
        QVERIFY(PlayUntil([&] { return MixedTurn(); }));
        TurnCame();
        QCOMPARE(Focus(), ExpectedTurnFocus(Form1(), Engine()));

        // Without "Show playable cards" the next turn starts on the first card of the hand.
        Action("Playable1")->trigger();
        Key(&Form1(), Qt::Key_Return);
        QVERIFY(!State().humanTurn);
        QVERIFY(PlayUntil([&] { return State().humanTurn; }));
        TurnCame();
        int first = 40;
        while (!InHand(State(), first))
            ++first;
        QCOMPARE(Focus(), Slot(Family::I, first));
    }

    void layoutTurnWithNothingToLayFocusesPass() {
        Start();
        QVERIFY(PlayUntil([&] {
            // A stopped clock deals the same cards every time: each deal gets its own.
            started_->host->clock += 7;
            if (!State().humanTurn || Engine().CurrentContract() != morvel::kMorvelLetter)
                return false;
            for (int n = 40; n <= 52; ++n) {
                if (Engine().WouldLay(n)) return false;
            }
            return true;
        }));
        TurnCame();
        QCOMPARE(Focus(), Button("passb"));
        const GameState before = State();
        Key(&Form1(), Qt::Key_Return);
        QCOMPARE(started_->host->beeps, 0);
        QVERIFY(!State().humanTurn);  // passed, as a click on Pass does
        QCOMPARE(State().cycleMoves[before.round.position], Picture::Pass());
    }

    // Enter on a card the engine refuses: the beep and the flash of a click, and nothing else.
    void refusedCardByKeyIsTheClicksRefusal() {
        Start();
        QVERIFY(PlayUntil([&] { return MixedTurn(); }));
        TurnCame();
        int refused = 0;
        Key(&Form1(), Qt::Key_Home);
        for (int presses = 0; presses < 13 && refused == 0; ++presses) {
            const int n = Focus()->objectName().mid(1).toInt();
            if (!Engine().WouldLay(n)) {
                refused = n;
            } else {
                Key(&Form1(), Qt::Key_Right);
            }
        }
        QVERIFY(refused != 0);
        const GameState before = State();
        Key(&Form1(), Qt::Key_Return);
        QCOMPARE(started_->host->beeps, 1);
        QVERIFY(State() == before);
        QVERIFY(Slot(Family::I, refused)->Flashing());
        QCOMPARE(Focus(), Slot(Family::I, refused));
        // Space is Enter's twin.
        Key(&Form1(), Qt::Key_Space);
        QCOMPARE(started_->host->beeps, 2);
        QVERIFY(State() == before);
    }

    // Left, Right, Home and End go over the cards in hand only; a played card hands the focus to
    // its right-hand neighbour, the last one to its left.
    void arrowsAndPlayedCardsNeverLeaveTheFocusOnAGap() {
        Start();
        QVERIFY(PlayUntil([&] {
            int played = 0;
            for (int n = 41; n <= 51; ++n)
                played += InHand(State(), n) ? 0 : 1;
            return State().humanTurn && played >= 2 && InHand(State(), 52);
        }));
        TurnCame();
        std::vector<QWidget*> held;
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n)) held.push_back(Slot(Family::I, n));
        }
        Key(&Form1(), Qt::Key_Home);
        QCOMPARE(Focus(), held.front());
        for (size_t i = 1; i < held.size(); ++i) {
            Key(&Form1(), Qt::Key_Right);
            QCOMPARE(Focus(), held[i]);
        }
        Key(&Form1(), Qt::Key_Right);  // the end of the hand
        QCOMPARE(Focus(), held.back());
        Key(&Form1(), Qt::Key_Left);
        QCOMPARE(Focus(), held[held.size() - 2]);
        Key(&Form1(), Qt::Key_End);
        QCOMPARE(Focus(), held.back());

        // The engine lays the focused card (however it was played): the focus moves on.
        for (int n = 52; n >= 40; --n) {
            if (!InHand(State(), n) || !Engine().WouldLay(n)) continue;
            Slot(Family::I, n)->setFocus();
            int next = 0;
            for (int e = n + 1; e <= 52 && next == 0; ++e)
                next = InHand(State(), e) ? e : 0;
            for (int e = n - 1; e >= 40 && next == 0; --e)
                next = InHand(State(), e) ? e : 0;
            Key(&Form1(), Qt::Key_Return);
            QVERIFY(!InHand(State(), n));
            QCOMPARE(Focus(), Slot(Family::I, next));
            break;
        }
    }

    // Tab and Shift+Tab: the hand, Chose Game, Pass, the taken cards, each while it is there.
    void tabGoesRoundTheGroups() {
        Start();
        QVERIFY(PlayUntil([&] {
            if (!State().humanTurn || Engine().CurrentContract() != morvel::kMorvelLetter)
                return false;
            int fit = 0;
            for (int n = 40; n <= 52; ++n)
                fit += Engine().WouldLay(n) ? 1 : 0;
            return fit > 0;
        }));
        TurnCame();
        // Taken cards as a round contract shows them (the board does not use the rows).
        morvel::TableModel& model = Engine().MutableTable();
        model.SetPicture(Family::J, 28, Picture::Back(1));
        model.SetVisible(Family::J, 28, true);
        model.SetPicture(Family::J, 41, Picture::Face(5));
        model.SetVisible(Family::J, 41, true);
        Form1().Sync();
        QWidget* hand = Focus();
        QCOMPARE(hand, ExpectedTurnFocus(Form1(), Engine()));

        Key(&Form1(), Qt::Key_Tab);
        QCOMPARE(Focus(), Button("passb"));  // Chose Game is not shown
        Key(&Form1(), Qt::Key_Tab);
        QCOMPARE(Focus(), Slot(Family::J, 41));  // the person's row first
        Key(&Form1(), Qt::Key_Down);
        QCOMPARE(Focus(), Slot(Family::J, 28));  // then Oru'a's
        Key(&Form1(), Qt::Key_Tab);
        QCOMPARE(Focus(), hand);
        Key(&Form1(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Focus(), Slot(Family::J, 28));  // the taken card focused last
        Key(&Form1(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Focus(), Button("passb"));

        // Enter presses the focused button: a card fits, so the pass is refused as a click's is,
        // and the cards that fit flash.
        const GameState before = State();
        Key(&Form1(), Qt::Key_Return);
        QCOMPARE(started_->host->beeps, 1);
        QVERIFY(State() == before);
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n)) QCOMPARE(Slot(Family::I, n)->Flashing(), Engine().WouldLay(n));
        }
    }

    // The F-keys keep their meaning with the focus on a card.
    void functionKeysWorkWithTheFocusOnACard() {
        Start();
        QVERIFY(PlayUntil([&] { return MixedTurn(); }));
        TurnCame();
        QVERIFY(qobject_cast<ImageSlot*>(Focus()) != nullptr);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = QApplication::activeModalWidget() == &started_->windows->Lastform();
            Key(&started_->windows->Lastform(), Qt::Key_Return);
        });
        Key(&Form1(), Qt::Key_F6);
        QVERIFY(opened);
        // The window manager gives the keyboard back to the table.
        Form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form1()));
        Key(&Form1(), Qt::Key_F7);
        QCOMPARE(State().speedInterval, morvel::kSlowInterval);
    }

    // Enter held on a taken card shows it large beside its seat; the release, or the focus
    // going elsewhere, takes it away.
    void takenCardShowsLargeWhileEnterIsHeld() {
        Start();
        morvel::TableModel& model = Engine().MutableTable();
        model.SetPicture(Family::J, 14, Picture::Face(12));
        model.SetVisible(Family::J, 14, true);
        Form1().Sync();
        Slot(Family::J, 14)->setFocus(Qt::TabFocusReason);
        QWindow* window = Form1().windowHandle();
        QTest::keyPress(window, Qt::Key_Return);
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Face(12));
        // A key held down repeats, a release and a press at a time: the card stays.
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(Slot(Family::J, 14), &repeat);
        }
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Face(12));
        QTest::keyRelease(window, Qt::Key_Return);
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Blank());

        QTest::keyPress(window, Qt::Key_Space);
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Face(12));
        Form1().centralWidget()->setFocus();
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Blank());
        QTest::keyRelease(window, Qt::Key_Space);
        QCOMPARE(Slot(Family::Pig, 3)->ShownPicture(), Picture::Blank());
    }

    // The ring stands around the part of the focused card that is seen, as wide as the table's
    // scale makes it, and follows the focus.
    void ringStandsAroundTheSeenPartOfTheFocusedCard() {
        Start();
        QVERIFY(PlayUntil([&] { return MixedTurn(); }));
        TurnCame();
        int entry = 40;
        while (!InHand(State(), entry))
            ++entry;
        int next = entry + 1;
        while (!InHand(State(), next))
            ++next;
        Slot(Family::I, entry)->setFocus(Qt::TabFocusReason);
        morvel::FocusOutline& ring = Form1().Outline();
        QVERIFY(ring.isVisible());
        ImageSlot* card = Slot(Family::I, entry);
        const QRect seen(card->pos(),
                         QSize(Slot(Family::I, next)->x() - card->x(), card->height()));
        QCOMPARE(ring.Around(), seen);

        const qreal factor = Form1().TableScaler().Factor();
        QVERIFY(factor > 1);
        const int outer = morvel::FocusOutline::OuterWidth(factor);
        QVERIFY(outer >= qRound(2 * factor));
        const QImage table = morvel::testing::Rendered(Form1().centralWidget());
        const int band = outer + morvel::FocusOutline::InnerWidth(factor);
        // Left of the card: the yellow band over the green table, as wide as scaled, then dark.
        const int y = seen.center().y();
        for (int x = seen.left() - band; x < seen.left() - band + outer; ++x)
            QCOMPARE(table.pixelColor(x, y), morvel::FocusOutline::kOuter);
        QCOMPARE(table.pixelColor(seen.left() - 1, y), morvel::FocusOutline::kInner);
        QCOMPARE(table.pixelColor(seen.left() - band - 1, y), QColor(0, 128, 64));

        // The focus goes to a button: the ring goes with it; to no control: the ring goes.
        Engine().MutableTable().SetPassbVisible(true);
        Form1().Sync();
        Button("passb")->setFocus(Qt::TabFocusReason);
        QCOMPARE(ring.Around(), Button("passb")->geometry());
        Form1().centralWidget()->setFocus();
        QVERIFY(!ring.isVisible());
    }

    void contractDialogKeys() {
        Start();
        morvel::Tchoosform& dialog = started_->windows->Choosform();
        GameState& s = Engine().MutableState();
        s.contractList.Clear();
        s.chooseDialog.Reset();
        s.chooseDialog.enabled[1] = false;
        s.chooseDialog.enabled[3] = false;
        s.contractNumber = 2;
        bool done = false;
        QStringList focused;
        QTimer::singleShot(0, [&] {
            auto name = [&] { return dialog.focusWidget()->objectName(); };
            focused << name();
            for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}) {
                Key(&dialog, key);
                focused << name();
            }
            Key(&dialog, Qt::Key_Return);
            focused << name();
            Key(&dialog, Qt::Key_Return);
            done = !dialog.isVisible();
        });
        Form1().ShowModal(dialog);
        QVERIFY(done);
        // r1 and r3 are used: skipped, and Down goes round from the last to the first free.
        QCOMPARE(focused, (QStringList{"r2", "r4", "r5", "r2", "r5", "r4", "BitBtn1"}));
        QCOMPARE(State().contractList[2], 'L');
    }

    // Tab from OK into the result sheet; the arrows walk its cells and the ring follows.
    void sheetCellsWalkedByArrows() {
        Start();
        morvel::Tresultform& sheet = started_->windows->Resultform();
        morvel::SheetTable* table = sheet.Table();
        QList<QRect> rings;
        QTimer::singleShot(0, [&] {
            Key(&sheet, Qt::Key_Tab);
            auto* ring = sheet.findChild<morvel::FocusOutline*>();
            rings << (sheet.focusWidget() == table ? ring->Around() : QRect());
            for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_PageDown})
                Key(&sheet, key);
            rings << ring->Around();
            Key(&sheet, Qt::Key_Return);
        });
        Form1().ShowModal(sheet);
        QVERIFY(!sheet.isVisible());
        QCOMPARE(rings.size(), 2);
        QCOMPARE(rings[0], QRect(table->mapTo(&sheet, table->CellRect(0, 0).topLeft()),
                                 table->CellRect(0, 0).size()));
        QCOMPARE(table->CurrentRow(), 6);
        QCOMPARE(table->CurrentColumn(), 1);
        QCOMPARE(rings[1].size(), table->CellRect(6, 1).size());
    }

    // Tab reaches each card back; Enter chooses it, as a click does.
    void cardBackChosenByKeys() {
        Start();
        morvel::Ttypecardform& window = started_->windows->Typecardform();
        QTimer::singleShot(0, [&] {
            for (int tab = 0; tab < 3; ++tab)
                Key(&window, Qt::Key_Tab);
            Key(&window, Qt::Key_Return);
            Key(&window, Qt::Key_Return);
        });
        Form1().ShowModal(window);
        QVERIFY(!window.isVisible());
        QCOMPARE(State().cardBack, 3);
        QCOMPARE(Slot(Family::I, 1)->ShownPicture(), Picture::Back(3));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
