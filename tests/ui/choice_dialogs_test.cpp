// The contract choice dialogs: what they show of the engine's choice, that only OK with a choice
// closes them, and how their captions are painted.
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "caption_ink.h"
#include "choice_dialogs.h"
#include "person.h"
#include "scaler.h"
#include "test_windows.h"
#include "ui_test_main.h"

using morvel::ContractDialog;
using morvel::testing::Click;
using morvel::testing::IndicatorRect;
using morvel::testing::Ink;
using morvel::testing::StartedWindows;

namespace {

// One letter per button: e enabled, d disabled, upper case when checked.
QString RadioStates(const ContractDialog& dialog, int count) {
    QString states;
    for (int k = 1; k <= count; ++k) {
        const QChar c = dialog.Radio(k)->isEnabled() ? u'e' : u'd';
        states += dialog.Radio(k)->isChecked() ? c.toUpper() : c;
    }
    return states;
}

}  // namespace

class ChoiceDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    morvel::GameState& State() { return started_->Engine().MutableState(); }
    morvel::Tchoosform& Choose() { return started_->windows->Choosform(); }
    morvel::Tallform& All() { return started_->windows->Allform(); }

    // The person has pressed "Chose Game" for his n-th contract: the dialog writes there.
    void Open(ContractDialog& dialog, int n) {
        State().contractNumber = n;
        dialog.move(0, 0);
        dialog.show();
        // At its place on the table below its title strip, drawn at the table's scale.
        QCOMPARE(dialog.mapToGlobal(morvel::Scaler::Of(&dialog)->Area().topLeft()),
                 morvel::testing::OnScreen(started_->Form1(), {205, 100}));
        QCOMPARE(morvel::Scaler::FactorFor(&dialog), started_->Form1().TableScaler().Factor());
        // The keyboard starts on the first contract still free.
        int first = 1;
        while (!dialog.Radio(first)->isEnabled())
            ++first;
        QCOMPARE(dialog.focusWidget(), dialog.Radio(first));
    }

    // OK, Escape and the window's close: none of them closes the dialog without a choice.
    void TryToLeave(ContractDialog& dialog) {
        const int messages = started_->host->messages;
        Click(dialog.OkButton());
        QCOMPARE(started_->host->messages, messages + 1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        QVERIFY(dialog.isVisible());
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        started_ = std::make_unique<StartedWindows>();
        State().contractList.Clear();
        State().chooseDialog.Reset();
        State().allDialog.Reset();
    }

    void cleanup() { started_.reset(); }

    // The third contract of a turn: the two used ones disabled, the last one still checked.
    void thirdOpeningShowsTheUsedContracts() {
        Open(Choose(), 1);
        Click(Choose().Radio(2));
        QCOMPARE(Choose().focusWidget(), Choose().OkButton());
        Click(Choose().Radio(1));  // replaces the letter
        Click(Choose().Radio(1));  // a click on the checked button keeps it
        QCOMPARE(RadioStates(Choose(), 5), QStringLiteral("Eeeee"));
        QTest::keyClick(&Choose(), Qt::Key_Return);  // the default button
        QVERIFY(!Choose().isVisible());

        Open(Choose(), 2);
        Click(Choose().Radio(5));
        Click(Choose().OkButton());

        State().chooseDialog.selectedIndex = 5;  // activation forgets the last choice
        Open(Choose(), 3);
        QCOMPARE(RadioStates(Choose(), 5), QStringLiteral("deeeD"));
        TryToLeave(Choose());
        QCOMPARE(State().contractList[3], ' ');

        Click(Choose().Radio(3));
        QCOMPARE(RadioStates(Choose(), 5), QStringLiteral("deEed"));
        Click(Choose().OkButton());
        QVERIFY(!Choose().isVisible());
        QCOMPARE(std::string(
                     {State().contractList[1], State().contractList[2], State().contractList[3]}),
                 "QMD");
    }

    void complexDialogChoosesAllGameOrMorvel() {
        Open(All(), 1);
        TryToLeave(All());
        Click(All().Radio(2));
        QCOMPARE(State().contractList[1], 'M');
        Click(All().Radio(1));
        QCOMPARE(State().contractList[1], 'L');
        Click(All().OkButton());
        QVERIFY(!All().isVisible());
        QCOMPARE(RadioStates(All(), 2), QStringLiteral("De"));
    }

    // Each caption whole, to the left of its round button; "موافق OK" with the Arabic word first.
    void captionsAsPainted() {
        for (ContractDialog* dialog : std::initializer_list<ContractDialog*>{&Choose(), &All()}) {
            for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
                const QRect indicator = IndicatorRect(radio);
                const QRect caption = Ink(radio, Qt::white, {0, 0, indicator.left(), 30}).Bounds();
                QVERIFY2(caption.left() > 0, qPrintable(radio->objectName()));  // not cut
                QVERIFY(caption.right() > indicator.left() - 12);
                QVERIFY(indicator.right() > radio->width() - 8);
            }
        }
        QPushButton* ok = All().OkButton();
        QVERIFY(Ink(ok, ok->palette().color(QPalette::ButtonText)).ArabicFirst());
    }
};

MORVEL_UI_TEST(ChoiceDialogsTest)
#include "choice_dialogs_test.moc"
