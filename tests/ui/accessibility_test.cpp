// The game as a screen reader finds it, through Qt's accessibility interfaces with accessibility
// on: no object shown without a name on the table or in any side window, whatever the game shows;
// what the cards, seats, markers and contracts are called, in English and Arabic; each card laid
// and each round taken said as it happens; the result sheet a table walked with its headers; a
// screen reader's press on a card going the way of a click.
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "image_slot.h"
#include "player_options.h"
#include "qt_text.h"
#include "sheet_table.h"
#include "table_voice.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::Family;
using morvel::GameState;
using morvel::Picture;
using morvel::testing::StartedWindows;

namespace {

QString Name(QAccessibleInterface* iface) {
    return iface->text(QAccessible::Name).remove(morvel::kLeftToRightMark).trimmed();
}

QString Describe(QAccessibleInterface* iface) {
    QString where = QString::number(iface->role(), 16);
    if (iface->object() != nullptr) {
        where += QLatin1Char(':') + iface->object()->metaObject()->className() + QLatin1Char(':') +
                 iface->object()->objectName();
    }
    return where;
}

// Every object below `iface` without a name: those shown (`all` false), or all of them.
void Unnamed(QAccessibleInterface* iface, bool all, const QString& path, QStringList* found) {
    if (iface == nullptr || !iface->isValid()) return;
    if (!all && iface->state().invisible) return;
    const QString here = path + QLatin1Char('/') + Describe(iface);
    if (Name(iface).isEmpty()) *found << here;
    for (int i = 0; i < iface->childCount(); ++i)
        Unnamed(iface->child(i), all, here, found);
}

QStringList Unnamed(QWidget* window, bool all = false) {
    QStringList found;
    Unnamed(QAccessible::queryAccessibleInterface(window), all, QString(), &found);
    return found;
}

QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

const char* const kSeatNames[] = {nullptr, "You", "Oru'a", "Vesk", "Kestrin"};
const char* const kEnglishRanks[] = {nullptr, nullptr, "two",   "three", "four",
                                     "five",  "six",   "seven", "eight", "nine",
                                     "ten",   "jack",  "queen", "king",  "ace"};

QString EnglishCard(char suit, int rank) {
    const char* suits = suit == 'H'   ? "hearts"
                        : suit == 'F' ? "clubs"
                        : suit == 'D' ? "diamonds"
                                      : "spades";
    return QStringLiteral("%1 of %2").arg(QLatin1String(kEnglishRanks[rank]), QLatin1String(suits));
}

}  // namespace

class AccessibilityTest : public morvel::testing::WindowsTest {
    Q_OBJECT

    bool MixedTurn() { return morvel::testing::MixedTurn(Engine()); }

    // The table and every side window, each shown in turn: none holds an object without a name,
    // shown or not (those shown are what a screen reader walks).
    void EveryWindowNamesWhatItShows(const char* when) {
        QStringList found = Unnamed(&Form1(), /*all=*/true);
        morvel::Windows& w = *started_->windows;
        for (QDialog* side : std::initializer_list<QDialog*>{
                 &w.Enterform(), &w.Choosform(), &w.Allform(), &w.Resultform(), &w.Lastform(),
                 &w.Typecardform(), &w.Aboutform(), &w.Aboutmorvelform()}) {
            side->show();
            found << Unnamed(side, /*all=*/true);
            side->hide();
        }
        QVERIFY2(found.isEmpty(), qPrintable(QString::fromLatin1(when) + ": " + found.join(", ")));
    }

  private slots:
    void initTestCase() {
        morvel::SetUpApplication(*qApp);
        QAccessible::setActive(true);
    }

    void init() { started_ = std::make_unique<StartedWindows>(); }

    void cleanup() { started_.reset(); }

    void nothingShownWithoutAName() {
        EveryWindowNamesWhatItShows("at start-up");
        QVERIFY(PlayUntil([&] {
            return morvel::IsRoundContract(Engine().CurrentContract()) && MixedTurn() &&
                   State().round.position == 3;
        }));
        // A taken card held large beside its seat, too.
        Engine().MutableTable().SetPicture(Family::J, 2, Picture::Face(7));
        Engine().MutableTable().SetVisible(Family::J, 2, true);
        Form1().Sync();
        Engine().CollectionMouseDown(2);
        Form1().Sync();
        EveryWindowNamesWhatItShows("in a round deal");
        Engine().CollectionMouseUp(2);

        // The two message boxes and an open menu.
        QStringList found;
        auto lookAndClose = [&](Qt::Key key) {
            QTimer::singleShot(0, [&found, key] {
                QWidget* box = QApplication::activeModalWidget();
                found << Unnamed(box);
                QTest::keyClick(box, key);
            });
        };
        lookAndClose(Qt::Key_Return);
        started_->host->QtHost::ShowMessage(morvel::text::kChooseOneMessage);
        lookAndClose(Qt::Key_Escape);
        Form1().findChild<QAction*>(QStringLiteral("Normal1"))->trigger();
        QCOMPARE(started_->host->nameDialogs, 1);  // the question came, and No kept the game
        for (QMenu* menu : Form1().menuBar()->findChildren<QMenu*>()) {
            menu->popup(Form1().mapToGlobal(QPoint(20, 20)));
            found << Unnamed(menu);
            menu->close();
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
        QVERIFY(PlayUntil([&] {
            return Engine().CurrentContract() == morvel::kMorvelLetter && State().humanTurn &&
                   State().dealCardCount > 12;
        }));
        EveryWindowNamesWhatItShows("in a layout deal");
    }

    void cardsAreCalledByRankAndSuitInBothLanguages_data() {
        QTest::addColumn<int>("face");
        QTest::addColumn<QString>("name");
        QTest::newRow("queen of spades") << 51 << QStringLiteral("Queen of spades  بنت البستوني");
        QTest::newRow("ten of hearts") << 23 << QStringLiteral("Ten of hearts  عشرة القلب");
        QTest::newRow("ace of diamonds") << 1 << QStringLiteral("Ace of diamonds  آس الديناري");
        QTest::newRow("jack of clubs") << 37 << QStringLiteral("Jack of clubs  ولد السباتي");
    }

    void cardsAreCalledByRankAndSuitInBothLanguages() {
        QFETCH(int, face);
        QFETCH(QString, name);
        Engine().MutableTable().SetPicture(Family::I, 45, Picture::Face(face));
        Form1().Sync();
        QCOMPARE(Name(Of(Slot(Family::I, 45))), name);
        QCOMPARE(Of(Slot(Family::I, 45))->role(), QAccessible::Button);
        // On the board, and taken by a seat.
        Engine().MutableTable().SetPicture(Family::K, 3, Picture::Face(face));
        Engine().MutableTable().SetPicture(Family::J, 20, Picture::Face(face));
        Form1().Sync();
        const QString card = name.section(QStringLiteral("  "), 0, 0).toLower();
        QVERIFY(Name(Of(Slot(Family::K, 3))).startsWith("On the board: " + card));
        QVERIFY(
            Name(Of(Slot(Family::J, 20))).startsWith(name.section("  ", 0, 0) + ", taken by Vesk"));
    }

    // Whether each card of the hand may be played now, as the engine would answer a click, while
    // playable cards are shown; the seats with their cards, the markers, the cards on the table.
    void theTableSaysWhatThePersonSees() {
        QVERIFY(PlayUntil([&] {
            return morvel::IsRoundContract(Engine().CurrentContract()) && MixedTurn() &&
                   State().round.position >= 2;
        }));
        for (int n = 40; n <= 52; ++n) {
            if (State().hand[n].suit == morvel::kPlayed) continue;
            const QString description = Of(Slot(Family::I, n))->text(QAccessible::Description);
            QCOMPARE(description, Engine().WouldLay(n)
                                      ? QStringLiteral("Can be played now  يمكن لعبها الآن")
                                      : QStringLiteral("Cannot be played now  لا يمكن لعبها الآن"));
        }
        const char* labels[] = {nullptr, nullptr, "Label3", "Label2", "Label1"};
        for (int seat = 2; seat <= 4; ++seat) {
            auto* label = Form1().centralWidget()->findChild<QWidget*>(labels[seat]);
            const QString count = QString::number(State().hand.Count(seat));
            QCOMPARE(Name(Of(label)), QStringLiteral("%1: %2 cards  عدد أوراق %1: %2")
                                          .arg(QLatin1String(kSeatNames[seat]), count));
        }
        QCOMPARE(Name(Of(Slot(Family::H, 1))), QStringLiteral("Your turn  دورك"));
        const int k = State().chooserNumber;
        const int chooser = State().chooserSeats[k];
        QVERIFY(Name(Of(Slot(Family::King, k)))
                    .startsWith(chooser == 1 ? QStringLiteral("You choose")
                                             : QLatin1String(kSeatNames[chooser]) + " chooses"));
        for (int p = 1; p < State().round.position; ++p) {
            const int seat = State().round.order[p];
            const morvel::RoundCard& card = State().round.cards[p];
            const QString played =
                seat == 1 ? "You played the " : QLatin1String(kSeatNames[seat]) + " played the ";
            QVERIFY(Name(Of(Slot(Family::P, p)))
                        .startsWith(played + EnglishCard(card.suit, card.rank)));
        }
        // A slot that shows nothing is not reported as shown.
        QVERIFY(Of(Slot(Family::K, 1))->state().invisible);
        QVERIFY(!Of(Slot(Family::I, 1))->state().invisible);

        // Without "Show playable cards" the reader does not tell either.
        Form1().findChild<QAction*>(QStringLiteral("Playable1"))->trigger();
        for (int n = 40; n <= 52; ++n)
            QVERIFY(Of(Slot(Family::I, n))->text(QAccessible::Description).isEmpty());
    }

    void eachCardAndRoundIsSaidAsItHappens() {
        // From a round just taken to the next one taken, step by step, with the table shown
        // after each step as the timers do.
        QVERIFY(PlayUntil([&] {
            return morvel::IsRoundContract(Engine().CurrentContract()) && State().round.taken &&
                   State().hand.Count(1) > 2;
        }));
        // The sentences the table's notification says, each as it shows.
        QStringList said;
        morvel::Announcement& news = Form1().Voice().News();
        connect(&news, &morvel::Announcement::Said, this, [&](const QString& sentence) {
            QAccessibleInterface* iface = Of(&news);
            if (news.isVisible() && iface->role() == QAccessible::Notification &&
                !iface->state().invisible)
                said << Name(iface);
            QCOMPARE(Name(iface), sentence);
        });
        morvel::Game& game = Engine();
        bool next = false;
        for (int step = 0; step < 2000 && !(next && State().round.taken); ++step) {
            if (!morvel::Autopilot(game).Step()) game.Timer1Timer();
            Form1().Sync();
            next |= !State().round.taken;
        }
        QVERIFY(next && State().round.taken);
        const QString all = said.join(QStringLiteral(" | "));
        for (int seat = 1; seat <= 4; ++seat) {
            int position = 1;
            while (State().round.order[position] != seat)
                ++position;
            const morvel::RoundCard& card = State().round.cards[position];
            const QString sentence =
                (seat == 1 ? QStringLiteral("You played the ")
                           : QLatin1String(kSeatNames[seat]) + " played the ") +
                EnglishCard(card.suit, card.rank);
            QVERIFY2(all.contains(sentence), qPrintable(sentence + " in " + all));
        }
        const int taker = State().round.Winner();
        const QString takes = taker == 1 ? QStringLiteral("You take the round  أخذت الدورة")
                                         : QLatin1String(kSeatNames[taker]) + " takes the round";
        QVERIFY2(all.contains(takes), qPrintable(all));
        // Each sentence in both languages.
        for (const QString& sentence : std::as_const(said))
            QVERIFY2(sentence.contains(QRegularExpression("[\\x{0600}-\\x{06FF}]")),
                     qPrintable(sentence));
    }

    void resultSheetIsATableWalkedWithItsHeaders() {
        QVERIFY(PlayUntil([&] { return State().sheet.Band(1).rows[0].written; }));
        morvel::Tresultform& sheet = started_->windows->Resultform();
        sheet.show();
        QAccessibleInterface* table = Of(sheet.Table());
        QCOMPARE(table->role(), QAccessible::Table);
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells != nullptr);
        QCOMPARE(cells->rowCount(), 20);
        QCOMPARE(cells->columnCount(), 5);

        QAccessibleInterface* contract = cells->cellAt(0, 0);
        QCOMPARE(contract->role(), QAccessible::RowHeader);
        const QString english = sheet.Grid(1)->Cell(0, 1);
        QCOMPARE(Name(contract), english + "  " + sheet.Grid(1)->Cell(0, 0));
        QCOMPARE(contract->text(QAccessible::Description),
                 QStringLiteral("Chooser 1, contract 1  المختار 1، اللعبة 1"));
        for (int seat = 1; seat <= 4; ++seat) {
            QAccessibleInterface* score = cells->cellAt(0, seat);
            QCOMPARE(Name(score), sheet.Grid(1 + seat)->Cell(0, 0));
            QVERIFY(Name(score) != QStringLiteral("Empty  فارغ"));
            QAccessibleTableCellInterface* cell = score->tableCellInterface();
            QCOMPARE(cell->rowHeaderCells(), QList<QAccessibleInterface*>{contract});
            const QString header = Name(cell->columnHeaderCells().at(0));
            QCOMPARE(header, seat == 1   ? QStringLiteral("Player1")
                             : seat == 2 ? QStringLiteral("Orua")
                                         : QLatin1String(kSeatNames[seat]));
            QCOMPARE(cell->rowIndex(), 0);
            QCOMPARE(cell->columnIndex(), seat);
        }
        QCOMPARE(Name(cells->cellAt(19, 3)), QStringLiteral("Empty  فارغ"));
        // The winner's columns are green, and the reader says so.
        sheet.Grid(3)->SetFixedColour(QColor(0, 128, 0));
        QCOMPARE(cells->cellAt(0, 2)->text(QAccessible::Description),
                 QStringLiteral("Winner  الفائز"));
        // The grids themselves are not in the tree: the table's cells stand for them.
        for (int i = 0; i < table->childCount(); ++i)
            QVERIFY(table->child(i)->object() == nullptr);
        QCOMPARE(table->childCount(), 5 + 20 * 5);
        QCOMPARE(table->indexOfChild(cells->cellAt(2, 3)), 5 + 2 * 5 + 3);
        sheet.hide();
    }

    void usedContractIsSaidUnavailable() {
        morvel::GameState& s = Engine().MutableState();
        s.chooseDialog.Reset();
        s.chooseDialog.enabled[1] = false;
        s.contractNumber = 2;
        morvel::Tchoosform& dialog = started_->windows->Choosform();
        dialog.show();
        QAccessibleInterface* used = Of(dialog.Radio(1));
        QVERIFY(used->state().disabled);
        QCOMPARE(used->text(QAccessible::Description),
                 QStringLiteral("Already played, unavailable  لُعبت من قبل، غير متاحة"));
        QVERIFY(!Of(dialog.Radio(2))->state().disabled);
        QVERIFY(Of(dialog.Radio(2))->text(QAccessible::Description).isEmpty());
        QCOMPARE(dialog.focusWidget(), dialog.Radio(2));
        dialog.hide();
    }

    // The hint's frame is said, and named, by the card it frames.
    void hintIsSaidByWhatItFrames() {
        QVERIFY(PlayUntil(
            [&] { return morvel::IsRoundContract(Engine().CurrentContract()) && MixedTurn(); }));
        auto* options = Form1().findChild<morvel::PlayerOptions*>();
        QCOMPARE(Name(Of(&options->Mark())), QStringLiteral("Hint  تلميح"));
        Form1().findChild<QAction*>(QStringLiteral("Hint1"))->trigger();
        QCOMPARE(options->Shown().kind, morvel::Hint::Kind::Card);
        const QString card =
            Name(Of(Slot(Family::I, options->Shown().entry))).section(QStringLiteral("  "), 0, 0);
        const QString said = Name(Of(&options->Mark()));
        QVERIFY2(said.startsWith("Hint: " + card + "  تلميح: "), qPrintable(said));
        QCOMPARE(Form1().Voice().News().Sentence(), options->Mark().accessibleName());
    }

    // A screen reader's press on a card: the engine answers it as a click.
    void pressActionIsAClick() {
        QVERIFY(PlayUntil(
            [&] { return morvel::IsRoundContract(Engine().CurrentContract()) && MixedTurn(); }));
        int refused = 40;
        while (State().hand[refused].suit == morvel::kPlayed || Engine().WouldLay(refused))
            ++refused;
        int taken = 40;
        while (!Engine().WouldLay(taken))
            ++taken;
        const GameState before = State();
        QAccessibleActionInterface* press = Of(Slot(Family::I, refused))->actionInterface();
        QVERIFY(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
        press->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(started_->host->beeps, 1);
        QVERIFY(State() == before);
        QVERIFY(Slot(Family::I, refused)->Flashing());

        Of(Slot(Family::I, taken))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(State().hand[taken].suit, morvel::kPlayed);
        QVERIFY(!State().humanTurn);
        // The computer seats' cards cannot be pressed.
        QVERIFY(Of(Slot(Family::I, 1))->actionInterface()->actionNames().isEmpty());
    }
};

MORVEL_UI_TEST(AccessibilityTest)
#include "accessibility_test.moc"
