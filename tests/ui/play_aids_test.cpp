// What the table does for the person without changing a rule: a pause after each round taken,
// the cards that may not be played drawn dimmed, a visible answer to a refused card or pass, a
// question before a game in progress is thrown away, and an enlarged taken card that goes as soon
// as the button is no longer held on it.
#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "image_slot.h"
#include "qt_text.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::Family;
using morvel::GameState;
using morvel::Picture;
using morvel::TimerId;
using morvel::testing::StartedWindows;

namespace {

// The engine alone, answering at once: what it makes of a click.
class ProbeHost : public morvel::Host {
  public:
    void TimerIntervalChanged(TimerId, int) override {}
    void Beep() override { ++beeps; }
    uint32_t MillisecondOfDay() override { return 0; }
    void ShowNameDialog() override {}
    void ShowChooseDialog() override {}
    void ShowAllDialog() override {}
    void ShowResultSheet() override {}
    void ShowMessage(std::string_view) override {}
    int beeps = 0;
};

// Whether the engine, in this state, refuses the person's click on hand entry n.
bool EngineRefuses(const GameState& state, int entry) {
    ProbeHost host;
    morvel::Game probe(host);
    probe.MutableState() = state;
    probe.HandSlotClick(entry);
    return host.beeps > 0;
}

bool InHand(const GameState& s, int entry) {
    return s.hand[entry].suit != morvel::kPlayed;
}

// The person's turn with both kinds of card in hand: some the engine takes, some it refuses.
bool MixedHand(const GameState& s) {
    if (!s.humanTurn) return false;
    int refused = 0;
    int taken = 0;
    for (int n = 40; n <= 52; ++n) {
        if (!InHand(s, n)) continue;
        ++(EngineRefuses(s, n) ? refused : taken);
    }
    return refused > 0 && taken > 0;
}

// The mean grey level of a picture's pixels.
double Brightness(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    }
    return sum / std::max(1, image.width() * image.height());
}

bool GameInProgress(const GameState& s) {
    for (int n = 1; n <= 52; ++n) {
        if (!InHand(s, n)) return true;
    }
    return false;
}

}  // namespace

class PlayAidsTest : public morvel::testing::WindowsTest {
    Q_OBJECT

    bool RoundDeal() { return morvel::IsRoundContract(Engine().CurrentContract()); }
    bool LayoutDeal() { return Engine().CurrentContract() == morvel::kMorvelLetter; }

    // A click where the person sees the card: its left edge, which the next card leaves bare.
    void ClickCard(int entry) {
        QTest::mouseClick(Slot(Family::I, entry), Qt::LeftButton, {},
                          QPoint(3, Slot(Family::I, entry)->height() / 2));
    }

    // The first card of the hand the engine takes (accepted) or refuses.
    int FirstCard(bool refused) {
        for (int n = 40; n <= 52; ++n) {
            if (InHand(State(), n) && EngineRefuses(State(), n) == refused) return n;
        }
        return 0;
    }

    // Plays up to the person's card that completes a round, lays it, and measures how long the
    // four cards stay before the step that hands the round over.
    qint64 TakenRoundStays(int* realInterval) {
        if (!PlayUntil(
                [&] { return RoundDeal() && State().humanTurn && State().round.position == 4; }))
            return -1;
        // From the click that takes the round: the timer starts within it, and the table's
        // redrawing after the engine's step must not count against the wait.
        QElapsedTimer shown;
        shown.start();
        ClickCard(FirstCard(/*refused=*/false));
        if (!State().round.taken) return -1;
        const QTimer& timer1 = started_->host->Timer(TimerId::Timer1);
        *realInterval = timer1.isActive() ? timer1.interval() : 0;
        // The engine keeps its own interval, whatever the timer waits.
        if (Engine().TimerInterval(TimerId::Timer1) != State().speedInterval) return -1;
        while (State().round.taken && shown.elapsed() < 5000)
            QTest::qWait(1);
        return State().round.taken ? -1 : shown.elapsed();
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() { started_ = std::make_unique<StartedWindows>(); }

    void cleanup() { started_.reset(); }

    void optionsStandAfterTheSpeedsChecked() {
        QAction* pause = Action("Pause1");
        QAction* playable = Action("Playable1");
        QCOMPARE(pause->text(), morvel::Text(morvel::text::kMenuPauseAfterRound));
        QCOMPARE(playable->text(), morvel::Text(morvel::text::kMenuShowPlayable));
        for (QAction* option : {pause, playable}) {
            QVERIFY(option->isCheckable());
            QVERIFY(option->isChecked());
        }
        const QList<QAction*> items = Form1().menuBar()->actions().at(1)->menu()->actions();
        QVERIFY(items.contains(Action("Result1")));
        const qsizetype speeds = items.indexOf(Form1().findChild<QMenu*>("Timer2")->menuAction());
        QCOMPARE(items.indexOf(pause), speeds + 1);
        QCOMPARE(items.indexOf(playable), speeds + 2);
        QVERIFY(Form1().GetOptions().pauseAfterRound);
        QVERIFY(Form1().GetOptions().showPlayable);
        pause->trigger();
        QVERIFY(!Form1().GetOptions().pauseAfterRound);
    }

    void pauseKeepsATakenRoundASecond() {
        int interval = 0;
        const qint64 stayed = TakenRoundStays(&interval);
        QCOMPARE(interval, morvel::kRoundPause);
        QVERIFY2(stayed >= morvel::kRoundPause, qPrintable(QString::number(stayed)));
        // And the timer goes on at the speed.
        QCOMPARE(started_->host->Timer(TimerId::Timer1).interval(), State().speedInterval);
    }

    void withoutThePauseARoundStaysOneInterval() {
        Action("Pause1")->trigger();
        Action("Slow1")->trigger();
        int interval = 0;
        const qint64 stayed = TakenRoundStays(&interval);
        QCOMPARE(interval, morvel::kSlowInterval);
        QVERIFY2(stayed >= morvel::kSlowInterval, qPrintable(QString::number(stayed)));
    }

    // Trick deal and layout deal: dimmed are exactly the cards the engine would refuse.
    void dimmedAreTheCardsTheEngineRefuses_data() {
        QTest::addColumn<bool>("layout");
        QTest::newRow("round contract") << false;
        QTest::newRow("layout contract") << true;
    }

    void dimmedAreTheCardsTheEngineRefuses() {
        QFETCH(bool, layout);
        QVERIFY(
            PlayUntil([&] { return (layout ? LayoutDeal() : RoundDeal()) && MixedHand(State()); }));
        for (int n = 40; n <= 52; ++n) {
            if (!InHand(State(), n)) continue;
            QCOMPARE(Slot(Family::I, n)->Dimmed(), EngineRefuses(State(), n));
        }
        // A dimmed card is drawn darker than the same card plain. Off: nothing dimmed; on again:
        // as before.
        morvel::ImageSlot* refused = Slot(Family::I, FirstCard(true));
        const double dimmedBrightness = Brightness(refused->grab().toImage());
        Action("Playable1")->trigger();
        for (int n = 40; n <= 52; ++n)
            QVERIFY(!Slot(Family::I, n)->Dimmed());
        const double plainBrightness = Brightness(refused->grab().toImage());
        QVERIFY2(dimmedBrightness < 0.7 * plainBrightness,
                 qPrintable(QString("%1 against %2").arg(dimmedBrightness).arg(plainBrightness)));
        Action("Playable1")->trigger();
        QCOMPARE(Slot(Family::I, FirstCard(true))->Dimmed(), true);

        // Once the card is laid the turn is over and no card is dimmed.
        ClickCard(FirstCard(/*refused=*/false));
        QVERIFY(!State().humanTurn);
        for (int n = 40; n <= 52; ++n)
            QVERIFY(!Slot(Family::I, n)->Dimmed());
    }

    void refusedCardFlashesBesideTheBeep() {
        QVERIFY(PlayUntil([&] { return RoundDeal() && MixedHand(State()); }));
        const GameState before = State();
        const int refused = FirstCard(true);
        ClickCard(refused);
        QCOMPARE(started_->host->beeps, 1);
        QVERIFY(State() == before);
        QVERIFY(Slot(Family::I, refused)->Flashing());
        QVERIFY(morvel::ImageSlot::kFlashMilliseconds <= 300);
        QTRY_VERIFY_WITH_TIMEOUT(!Slot(Family::I, refused)->Flashing(), 1000);

        // Without "Show playable cards" only the beep answers.
        Action("Playable1")->trigger();
        ClickCard(refused);
        QCOMPARE(started_->host->beeps, 2);
        QVERIFY(!Slot(Family::I, refused)->Flashing());
    }

    void refusedPassFlashesTheCardsThatCanBeLaid() {
        QVERIFY(PlayUntil([&] { return LayoutDeal() && MixedHand(State()); }));
        auto* passb = Form1().centralWidget()->findChild<QPushButton*>("passb");
        QVERIFY(passb->isVisible());
        QTest::mouseClick(passb, Qt::LeftButton);
        QCOMPARE(started_->host->beeps, 1);
        for (int n = 40; n <= 52; ++n) {
            if (!InHand(State(), n)) continue;
            QCOMPARE(Slot(Family::I, n)->Flashing(), !EngineRefuses(State(), n));
        }
    }

    // --- A new game from the menu ------------------------------------------------------------

    void newGameBeforeTheFirstCardAsksNothing() {
        QVERIFY(!GameInProgress(State()));
        bool asked = false;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->button(QMessageBox::Yes)->click();
            }
        });
        Action("Normal1")->trigger();
        QVERIFY(!asked);
        QCOMPARE(started_->host->nameDialogs, 2);
    }

    void newGameInProgressAsksFirst_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("answer");  // a key, or 0 for a click on Yes
        QTest::newRow("Normal, Escape") << "Normal1" << int(Qt::Key_Escape);
        QTest::newRow("Normal, Enter") << "Normal1" << int(Qt::Key_Return);
        QTest::newRow("Complex, Escape") << "Complex1" << int(Qt::Key_Escape);
        QTest::newRow("Normal, Yes") << "Normal1" << 0;
        QTest::newRow("Complex, Yes") << "Complex1" << 0;
    }

    void newGameInProgressAsksFirst() {
        QFETCH(QString, item);
        QFETCH(int, answer);
        QVERIFY(PlayUntil([&] { return GameInProgress(State()); }));
        const GameState before = State();
        QString question;
        bool noIsDefault = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            question = box->text();
            noIsDefault = box->defaultButton() == box->button(QMessageBox::No) &&
                          box->escapeButton() == box->button(QMessageBox::No) &&
                          box->button(QMessageBox::Yes) != nullptr;
            if (answer == 0) {
                box->button(QMessageBox::Yes)->click();
            } else {
                QTest::keyClick(box, Qt::Key(answer));
            }
        });
        Action(item.toLatin1().constData())->trigger();
        QCOMPARE(question, morvel::Text(morvel::text::kNewGameQuestion));
        QVERIFY(noIsDefault);
        if (answer != 0) {
            // No: the game goes on as it was, the menu's checks included.
            QCOMPARE(started_->host->nameDialogs, 1);
            QVERIFY(State() == before);
            QVERIFY(Action("Normal1")->isChecked());
            QVERIFY(!Action("Complex1")->isChecked());
        } else {
            QCOMPARE(started_->host->nameDialogs, 2);
            QVERIFY(!GameInProgress(State()));
            QCOMPARE(State().mode,
                     item == "Normal1" ? morvel::GameMode::Normal : morvel::GameMode::Complex);
        }
    }

    // --- The enlarged taken card -------------------------------------------------------------

    void enlargedCardStaysWhileItsButtonIsHeld() {
        morvel::ImageSlot* j5 = ShowTakenCard(5, Picture::Face(3));
        QTest::mousePress(j5, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 4)->ShownPicture(), Picture::Face(3));
        // Another button pressed and released meanwhile does not end the press.
        QTest::mousePress(j5, Qt::RightButton, {}, QPoint(10, 10));
        QTest::mouseRelease(j5, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 4)->ShownPicture(), Picture::Face(3));
        QTest::mouseRelease(j5, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 4)->ShownPicture(), Picture::Blank());
    }

    void enlargedCardGoesWhenAModalWindowOpens() {
        morvel::ImageSlot* j5 = ShowTakenCard(5, Picture::Face(3));
        QTest::mousePress(j5, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 4)->ShownPicture(), Picture::Face(3));
        Picture underTheWindow = Picture::Face(3);
        QDialog& about = started_->windows->Aboutform();
        QTimer::singleShot(0, [&] {
            underTheWindow = Slot(Family::Pig, 4)->ShownPicture();
            about.accept();
        });
        Form1().ShowModal(about);
        QCOMPARE(underTheWindow, Picture::Blank());
        // The release that the window swallowed changes nothing later.
        QTest::mouseRelease(j5, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 4)->ShownPicture(), Picture::Blank());
        QVERIFY(!j5->Held());
    }

    void enlargedCardGoesWhenAMenuTakesTheMouse() {
        morvel::ImageSlot* j40 = ShowTakenCard(40, Picture::Face(12));
        QTest::mousePress(j40, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 1)->ShownPicture(), Picture::Face(12));
        QMenu* menu = Form1().menuBar()->actions().at(0)->menu();
        menu->popup(Form1().mapToGlobal(QPoint(10, 10)));
        QCOMPARE(Slot(Family::Pig, 1)->ShownPicture(), Picture::Blank());
        menu->close();
    }

    void enlargedCardGoesWhenAnotherWindowIsActivated() {
        morvel::ImageSlot* j27 = ShowTakenCard(27, Picture::Back(1));
        Form1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Form1()));
        QTest::mousePress(j27, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(Slot(Family::Pig, 2)->ShownPicture(), Picture::Back(1));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(Slot(Family::Pig, 2)->ShownPicture(), Picture::Blank());
    }

  private:
    morvel::ImageSlot* ShowTakenCard(int j, Picture picture) {
        morvel::TableModel& model = Engine().MutableTable();
        model.SetPicture(Family::J, j, picture);
        model.SetVisible(Family::J, j, true);
        Form1().Sync();
        return Slot(Family::J, j);
    }
};

MORVEL_UI_TEST(PlayAidsTest)
#include "play_aids_test.moc"
