// The Option menu's computer players and its Hint: the hint marks what the strong player would
// choose in the person's place, and plays nothing.
#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "image_slot.h"
#include "player_options.h"
#include "qt_text.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::GameState;
using morvel::Hint;
using morvel::StrongBudget;
using morvel::StrongPlayer;
using morvel::testing::StartedWindows;

namespace {

constexpr StrongBudget kQuick{.steps = 3000};

}  // namespace

class PlayerOptionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    morvel::Game& Engine() { return started_->Engine(); }
    const GameState& State() { return Engine().State(); }
    QAction* Action(const char* name) {
        return started_->Form1().findChild<QAction*>(QLatin1String(name));
    }
    morvel::PlayerOptions& Options() {
        return *started_->Form1().findChild<morvel::PlayerOptions*>();
    }
    QWidget* Control(const char* name) {
        return started_->Form1().centralWidget()->findChild<QWidget*>(QLatin1String(name));
    }

    // Plays on as the timers and the person would, until `done`; the table then shows where
    // play stands, and stands still. The clock moves on, so that the deals differ.
    bool PlayUntil(const std::function<bool()>& done) {
        for (int step = 0; step < 200000; ++step) {
            started_->host->clock = (started_->host->clock + 7919) % 86400000;
            if (done()) {
                started_->Freeze();
                started_->Form1().Sync();
                return true;
            }
            if (morvel::Autopilot(Engine()).Step()) {
                started_->Form1().Sync();
                continue;
            }
            if (Engine().CurrentContract() == morvel::kMorvelLetter) {
                Engine().Timer3Timer();
            } else {
                Engine().Timer1Timer();
            }
            started_->Form1().Sync();
        }
        return false;
    }

    bool Layout() {
        const morvel::Contract* c = morvel::FindContract(Engine().CurrentContract());
        return c != nullptr && c->layout;
    }

    // Asks for a hint with a fixed budget and seed, and returns what a strong player of its own
    // with the same budget and seed answers in the person's place.
    Hint HintAndExpected() {
        Options().Strong().SetBudget(kQuick);
        Options().Strong().Seed(21);
        StrongPlayer own(kQuick, 21);
        const Hint expected = morvel::HintFor(State(), own);
        const GameState before = State();
        Action("Hint1")->trigger();
        started_->Form1().Sync();
        if (!(State() == before)) qFatal("the hint changed the game");
        return expected;
    }

    // Where the mark's frame stands: inside its widget, below its caption.
    QPoint MarkCentre() {
        const morvel::HintMark& mark = Options().Mark();
        QRect frame = mark.geometry();
        frame.setTop(frame.top() + mark.CaptionHeight());
        return frame.center();
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() { started_ = std::make_unique<StartedWindows>(); }

    void cleanup() { started_.reset(); }

    void theMenuOffersThePlayersAndTheHint() {
        QAction* players = Action("Players1");
        QVERIFY(players != nullptr && players->menu() != nullptr);
        QCOMPARE(players->text(), morvel::Text(morvel::text::kMenuPlayers));
        QAction* standard = Action("Standard1");
        QAction* strong = Action("Strong1");
        QCOMPARE(standard->text(), morvel::Text(morvel::text::kMenuStandard));
        QCOMPARE(strong->text(), morvel::Text(morvel::text::kMenuStrong));
        QVERIFY(standard->isChecked());
        QVERIFY(!strong->isChecked());
        strong->trigger();
        QVERIFY(strong->isChecked() && !standard->isChecked());
        standard->trigger();
        QVERIFY(standard->isChecked() && !strong->isChecked());

        QAction* hint = Action("Hint1");
        QCOMPARE(hint->text(), morvel::Text(morvel::text::kMenuHint));
        QCOMPARE(hint->shortcut(), QKeySequence(Qt::Key_H));
        QVERIFY(PlayUntil([&] { return !morvel::PersonsTurn(State()); }));
        QVERIFY(!hint->isEnabled());
        QVERIFY(PlayUntil([&] { return morvel::PersonsTurn(State()); }));
        QVERIFY(hint->isEnabled());
    }

    void theHintMarksTheStrongPlayersCardAndPlaysNothing() {
        QVERIFY(PlayUntil([&] {
            return State().humanTurn && !Layout() && State().round.position > 1 &&
                   State().hand.Count(morvel::kHuman) > 6;
        }));
        const Hint expected = HintAndExpected();
        QCOMPARE(expected.kind, Hint::Kind::Card);
        QCOMPARE(Options().Shown(), expected);
        QVERIFY(Options().Mark().isVisible());
        QVERIFY(Options().Mark().Caption().isEmpty());
        // The mark stands on the strip of the card that shows, and on no other card's.
        const QPoint centre = MarkCentre();
        const QWidget* under = started_->Form1().centralWidget()->childAt(centre);
        QVERIFY(under != nullptr);
        QCOMPARE(under->objectName(), QStringLiteral("i%1").arg(expected.entry));

        // The mark goes once the person has laid a card.
        QVERIFY(morvel::Autopilot(Engine()).Step());
        started_->Form1().Sync();
        QVERIFY(!Options().Mark().isVisible());
        QCOMPARE(Options().Shown().kind, Hint::Kind::None);
    }

    void theHintMarksPassWhenNothingFits() {
        QVERIFY(PlayUntil([&] {
            return State().humanTurn && Layout() &&
                   State().hand.FirstAmong(morvel::kHuman, State().board.FittingByHandSuit()) == 0;
        }));
        const Hint expected = HintAndExpected();
        QCOMPARE(expected.kind, Hint::Kind::Pass);
        QCOMPARE(Options().Shown(), expected);
        QVERIFY(Options().Mark().geometry().contains(Control("passb")->geometry()));
    }

    void theHintMarksALayoutCard() {
        QVERIFY(PlayUntil([&] {
            return State().humanTurn && Layout() &&
                   State().hand.FirstAmong(morvel::kHuman, State().board.FittingByHandSuit()) != 0;
        }));
        const Hint expected = HintAndExpected();
        QCOMPARE(expected.kind, Hint::Kind::Card);
        QCOMPARE(Options().Shown(), expected);
        const QWidget* under = started_->Form1().centralWidget()->childAt(MarkCentre());
        QCOMPARE(under->objectName(), QStringLiteral("i%1").arg(expected.entry));
    }

    void theHintNamesTheContract() {
        QVERIFY(PlayUntil([&] { return State().cgVisible; }));
        const Hint expected = HintAndExpected();
        QCOMPARE(expected.kind, Hint::Kind::Contract);
        QCOMPARE(Options().Shown(), expected);
        const morvel::HintMark& mark = Options().Mark();
        QVERIFY(mark.geometry().contains(Control("cg")->geometry()));
        const morvel::Contract& c = *morvel::FindContract(expected.contract);
        const bool allGame = State().mode == morvel::GameMode::Complex && !c.layout;
        QCOMPARE(mark.Caption(), morvel::Caption(allGame ? morvel::text::kAllGamePanel : c.panel));
        // The caption is as high as its text, on a table drawn large too.
        for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
            started_->Form1().resize(size);
            QCoreApplication::processEvents();
            Action("Hint1")->trigger();
            QFont bold = mark.font();
            bold.setBold(true);
            QVERIFY(mark.CaptionHeight() >= QFontMetrics(bold).height());
            QVERIFY(QFontMetrics(bold).height() > 0);
        }
        // Choosing the contract takes the mark away.
        QVERIFY(morvel::Autopilot(Engine()).Step());
        started_->Form1().Sync();
        QVERIFY(!mark.isVisible());
    }

    void strongPlayersTakeOverFromTheNextDeal() {
        StrongPlayer& strong = Options().Strong();
        strong.SetBudget(kQuick);
        QVERIFY(PlayUntil([&] { return State().dealCardCount > 4 && !Layout(); }));
        int deals = 0;
        struct Deals : morvel::GameObserver {
            int* count;
            void OnDealt(uint32_t) override { ++*count; }
        } watch;
        watch.count = &deals;
        Engine().SetObserver(&watch);

        Action("Strong1")->trigger();
        QVERIFY(PlayUntil([&] { return deals == 1 || strong.Times().Count() != 0; }));
        QCOMPARE(deals, 1);  // the deal in play went on by the rules
        QVERIFY(PlayUntil([&] { return deals == 3; }));
        QVERIFY(strong.Times().Count() != 0);

        Action("Standard1")->trigger();
        QVERIFY(PlayUntil([&] { return deals == 4; }));
        const int64_t decisions = strong.Times().Count();
        QVERIFY(PlayUntil([&] { return deals == 6; }));
        QCOMPARE(strong.Times().Count(), decisions);
        Engine().SetObserver(nullptr);
    }
};

MORVEL_UI_TEST(PlayerOptionsTest)
#include "player_options_test.moc"
