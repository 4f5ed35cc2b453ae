// A person plays on screen: the real windows, every modal window answered by clicking its
// controls, cards laid by clicks on the hand, and the result sheet read after every deal. The test
// fires the timers itself, one step at a time, so every run plays the same deals.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "image_slot.h"
#include "person.h"
#include "qt_text.h"
#include "texts.h"
#include "ui_test_main.h"
#include "windows.h"

using morvel::Tchoosform;
using morvel::TimerId;
using morvel::Tresultform;
using morvel::testing::Click;

namespace {

// What the result sheet showed when it came up at the end of a deal.
struct SheetSeen {
    int band = 0;
    int row = 0;
    int chooser = 0;  // seat
    char letter = ' ';
    bool asEngine = false;  // modal, and the row as the engine wrote it
    QStringList names;      // the band's English names, rows 0 to 4
    QStringList scores;     // the row's, seats 1 to 4
    int sum = 0;
    int cardsLaid = 0;  // by the person during the deal
};

class PersonHost : public morvel::QtHost {
  public:
    // 12:00:00.006 deals the seven of hearts to seat 1: the person chooses first. With the clock
    // standing still every deal is this one.
    uint32_t MillisecondOfDay() override { return 43200006; }
    void Beep() override { ++beeps; }
    void TimerIntervalChanged(TimerId, int) override {}  // the test fires the timers

    void ShowNameDialog() override {
        ++nameDialogs;
        QTimer::singleShot(0, [this] {
            dialogs_.name->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText("Ann");
            Click(dialogs_.name->findChild<QPushButton*>(QStringLiteral("BitBtn1")));
        });
        QtHost::ShowNameDialog();
    }
    void ShowChooseDialog() override {
        QTimer::singleShot(0, [this] { onChoose(*dialogs_.choose); });
        QtHost::ShowChooseDialog();
    }
    void ShowResultSheet() override {
        QTimer::singleShot(0, [this] {
            onSheet(*dialogs_.sheet);
            Click(dialogs_.sheet->OkButton());
        });
        QtHost::ShowResultSheet();
    }

    int beeps = 0;
    int nameDialogs = 0;
    std::function<void(Tchoosform&)> onChoose;
    std::function<void(Tresultform&)> onSheet;
};

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<morvel::Windows> windows_;
    PersonHost* host_ = nullptr;
    std::vector<SheetSeen> sheets_;
    int cardsLaid_ = 0;

    morvel::Game& Engine() { return windows_->Engine(); }
    morvel::TForm1& Form1() { return windows_->Form1(); }
    QPushButton* Button(const char* name) {
        return Form1().centralWidget()->findChild<QPushButton*>(QLatin1String(name));
    }

    void LookAtSheet(Tresultform& sheet) {
        const morvel::GameState& s = Engine().State();
        SheetSeen seen;
        seen.band = s.chooserNumber;
        seen.row = s.contractNumber - 1;
        seen.chooser = s.chooserSeats[s.chooserNumber];
        seen.letter = Engine().CurrentContract();
        seen.cardsLaid = cardsLaid_;
        const int nameGrid = (seen.band - 1) * 5 + 1;
        for (int row = 0; row <= 4; ++row)
            seen.names << sheet.Grid(nameGrid)->Cell(row, 1);
        const morvel::ContractTexts* contract = morvel::FindContract(seen.letter);
        seen.asEngine =
            QApplication::activeModalWidget() == &sheet && contract != nullptr &&
            sheet.Grid(nameGrid)->Cell(seen.row, 0) == morvel::Text(contract->sheetArabic) &&
            seen.names[seen.row] == morvel::Text(contract->sheetEnglish);
        for (int seat = 1; seat <= 4; ++seat) {
            const QString shown = sheet.Grid(nameGrid + seat)->Cell(seen.row, 0);
            seen.asEngine &= shown == QString::number(s.gameScore[seat]);
            seen.scores << shown;
            seen.sum += shown.toInt();
        }
        sheets_.push_back(seen);
        cardsLaid_ = 0;
    }

    // The person's card: the right-most held card first, then leftwards until the table takes
    // one. The click lands where a person sees the card, at its left edge.
    bool PlayCard() {
        QWidget* table = Form1().centralWidget();
        for (int entry = 52; entry >= 40; --entry) {
            morvel::ImageSlot* slot = Form1().SlotWidget(morvel::Family::I, entry);
            if (!slot->isVisible() || !slot->isEnabled()) continue;
            const QPoint edge(4, slot->height() / 2);
            if (table->childAt(slot->mapTo(table, edge)) != slot) continue;
            const int beeps = host_->beeps;
            QTest::mouseClick(slot, Qt::LeftButton, {}, edge);
            if (host_->beeps == beeps && !slot->isVisible()) {
                ++cardsLaid_;
                return true;
            }
        }
        return false;
    }

    // One thing happens, as on screen: a timer fires, or the person acts. False when nothing can.
    bool Step() {
        morvel::Game& game = Engine();
        if (game.TimerInterval(TimerId::Timer1) != 0) {
            game.Timer1Timer();
        } else if (game.TimerInterval(TimerId::Timer3) != 0) {
            game.Timer3Timer();
        } else if (Button("cg")->isVisible()) {
            Click(Button("cg"));
        } else if (!game.State().humanTurn) {
            return false;
        } else if (!PlayCard()) {
            // Nothing fits the board: the person passes. A refused pass, or no card to follow
            // with in a round, is a fault.
            const int beeps = host_->beeps;
            if (game.CurrentContract() != morvel::kMorvelLetter) return false;
            Click(Button("passb"));
            return host_->beeps == beeps;
        }
        Form1().Sync();
        return true;
    }

    bool PlayUntilSheets(size_t count) {
        for (int step = 0; step < 100000 && sheets_.size() < count; ++step) {
            if (!Step()) return false;
        }
        return sheets_.size() == count;
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        auto host = std::make_unique<PersonHost>();
        host_ = host.get();
        host_->onSheet = [this](Tresultform& sheet) { LookAtSheet(sheet); };
        windows_ = std::make_unique<morvel::Windows>(std::move(host));
        Form1().showMaximized();
        for (int turn = 0; turn < 1000 && host_->nameDialogs == 0; ++turn)
            QCoreApplication::processEvents();
        QCOMPARE(Engine().State().playerName, std::string("Ann"));
        QCOMPARE(Engine().State().chooserSeats[1], 1);
        sheets_.clear();
        cardsLaid_ = 0;
    }

    void cleanup() { windows_.reset(); }

    // Chooser 1 is the person: Queen, Morvel, then whatever is free (the last one without the
    // dialog). Chooser 2 is the computer on the right; the person follows through its five
    // contracts, Morvel among them.
    void normalGameChoosingAndFollowing() {
        std::vector<int> picks = {1, 5};
        int dialogs = 0;
        QString message;
        bool stayedOpen = false;
        host_->onChoose = [&](Tchoosform& dialog) {
            if (++dialogs == 1) {
                // OK before any choice: the message box, and the dialog waits for the choice.
                QTimer::singleShot(0, [&] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    message = morvel::CaptionText(box->text());
                    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                });
                Click(dialog.OkButton());
                stayedOpen = dialog.isVisible();
            }
            int k = picks.empty() ? 1 : picks.front();
            if (!picks.empty()) picks.erase(picks.begin());
            while (!dialog.Radio(k)->isEnabled())
                ++k;
            Click(dialog.Radio(k));
            Click(dialog.OkButton());
        };

        QVERIFY(PlayUntilSheets(7));
        // The sheet from the menu in the middle of chooser 2's third deal: his first two rows.
        for (int step = 0; step < 20; ++step)
            QVERIFY(Step());
        QStringList fromMenu;
        QTimer::singleShot(0, [&] {
            Tresultform& sheet = windows_->Resultform();
            for (int row = 0; row <= 2; ++row)
                fromMenu << sheet.Grid(6)->Cell(row, 1) << sheet.Grid(7)->Cell(row, 0);
            Click(sheet.OkButton());
        });
        Form1().findChild<QAction*>(QStringLiteral("Result1"))->trigger();
        QCOMPARE(fromMenu, (QStringList{sheets_[5].names[0], sheets_[5].scores[0],
                                        sheets_[6].names[1], sheets_[6].scores[0], " ", " "}));

        QVERIFY(PlayUntilSheets(10));
        QCOMPARE(message, morvel::Text(morvel::text::kChooseOneMessage));
        QVERIFY(stayedOpen);
        QCOMPARE(dialogs, 4);
        QString letters;
        for (size_t deal = 0; deal < sheets_.size(); ++deal) {
            const SheetSeen& seen = sheets_[deal];
            QVERIFY2(seen.asEngine, qPrintable(QString("deal %1").arg(deal + 1)));
            QCOMPARE(seen.band, deal < 5 ? 1 : 2);
            QCOMPARE(seen.chooser, deal < 5 ? 1 : 2);
            QCOMPARE(seen.row, static_cast<int>(deal % 5));
            // Every card of a Morvel deal goes to the board, the person's by his clicks.
            QVERIFY(seen.cardsLaid >= 1);
            if (seen.letter == 'M') QCOMPARE(seen.cardsLaid, 13);
            letters += QChar(seen.letter);
        }
        QCOMPARE(letters.left(2), QStringLiteral("QM"));
        QVERIFY(letters.mid(5).contains('M'));
        // After each chooser's whole turn the points given and taken cancel out.
        QCOMPARE(sheets_[4].sum, 0);
        QCOMPARE(sheets_[9].sum, 0);
    }
};

MORVEL_UI_TEST(PlayTest)
#include "play_test.moc"
