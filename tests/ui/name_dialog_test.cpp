// The player-name dialog: its look, how it opens, what closes it, and the character limit of the
// name field.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "game.h"
#include "name_dialog.h"
#include "qt_text.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::CaptionText;
using morvel::LimitInsertion;
using morvel::Text;

namespace {

const QString kAlef = QString::fromUtf8("ا");
const QString kSmile = QString::fromUtf8("😀");  // outside the BMP: two UTF-16 units

}  // namespace

class NameDialogTest : public QObject {
    Q_OBJECT

    morvel::testing::TestHost host_;
    std::unique_ptr<morvel::Game> game_;
    std::unique_ptr<morvel::Tenterform> dialog_;

    QLineEdit* Edit1() { return dialog_->findChild<QLineEdit*>("Edit1"); }
    QPushButton* BitBtn1() { return dialog_->findChild<QPushButton*>("BitBtn1"); }

    void Open() {
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        game_ = std::make_unique<morvel::Game>(host_);
        dialog_ = std::make_unique<morvel::Tenterform>(*game_);
    }

    void cleanup() {
        dialog_.reset();
        game_.reset();
    }

    void looksAsDesigned() {
        QCOMPARE(dialog_->objectName(), QStringLiteral("Tenterform"));
        QCOMPARE(CaptionText(dialog_->windowTitle()), Text(morvel::text::kNameCaption));
        QVERIFY(CaptionText(dialog_->windowTitle())
                    .startsWith(QString(16, ' ') + QString::fromUtf8("ا")));
        QCOMPARE(dialog_->size(), QSize(307, 111));
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
        QVERIFY(!(dialog_->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dialog_->windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(dialog_->isModal());
        QCOMPARE(dialog_->palette().color(QPalette::Window), QColor(0, 0, 255));

        auto* label1 = dialog_->findChild<QLabel*>("Label1");
        auto* label2 = dialog_->findChild<QLabel*>("Label2");
        QCOMPARE(label1->pos(), QPoint(40, 8));
        QCOMPARE(label2->pos(), QPoint(8, 24));
        QCOMPARE(CaptionText(label1->text()), Text(morvel::text::kNameLabelArabic));
        QCOMPARE(CaptionText(label2->text()), Text(morvel::text::kNameLabelEnglish));
        for (QLabel* label : {label1, label2}) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(label->font().bold());
            QCOMPARE(label->font().pixelSize(), 13);
        }

        QCOMPARE(Edit1()->geometry(), QRect(48, 44, 202, 22));
        QVERIFY(!Edit1()->hasFrame());
        QCOMPARE(Edit1()->palette().color(QPalette::Text), QColor(255, 0, 0));
        QVERIFY(Edit1()->font().bold());
        QCOMPARE(Edit1()->font().pixelSize(), 13);

        QCOMPARE(BitBtn1()->geometry(), QRect(96, 72, 105, 33));
        QCOMPARE(CaptionText(BitBtn1()->text()), Text(morvel::text::kNameOk));
        QCOMPARE(BitBtn1()->cursor().shape(), Qt::PointingHandCursor);
    }

    void everyShowSuggestsPlayer1WithTheFocus() {
        Open();
        QCOMPARE(Edit1()->text(), QStringLiteral("Player1"));
        QCOMPARE(dialog_->focusWidget(), Edit1());
        // Typing replaces the suggestion.
        QTest::keyClicks(Edit1(), "Ann");
        QCOMPARE(Edit1()->text(), QStringLiteral("Ann"));

        dialog_->hide();
        Open();
        QCOMPARE(Edit1()->text(), QStringLiteral("Player1"));
        QCOMPARE(dialog_->focusWidget(), Edit1());
    }

    void onlyAnAcceptedNameCloses() {
        Open();
        QTest::keyClick(Edit1(), Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        QVERIFY(!dialog_->close());
        QVERIFY(dialog_->isVisible());

        Edit1()->setText("vesk");
        BitBtn1()->click();
        QVERIFY(dialog_->isVisible());
        QCOMPARE(Edit1()->text(), QString());
        QCOMPARE(dialog_->focusWidget(), Edit1());

        QTest::keyClicks(Edit1(), "Player1");
        QTest::keyClick(Edit1(), Qt::Key_Return);
        QVERIFY(!dialog_->isVisible());
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QCOMPARE(game_->State().playerName, "Player1");
    }

    void enterIsOneClick() {
        // A refused name empties the edit; a second click would then accept the empty name.
        Open();
        Edit1()->setText("ORU'A");
        QTest::keyClick(Edit1(), Qt::Key_Return);
        QVERIFY(dialog_->isVisible());
        QCOMPARE(game_->State().playerName, "ORU'A");
    }

    void arabicNameReachesTheEngineUnchanged() {
        Open();
        const QString name = QString::fromUtf8("سامي ") + kSmile;
        Edit1()->setText(name);
        BitBtn1()->click();
        QCOMPARE(QString::fromStdString(game_->State().playerName), name);
    }

    void limitCutsOnlyWhatWasInserted() {
        int cursor = -1;
        const QString full = QString("a").repeated(20);
        // Typing into a full field changes nothing, wherever the cursor is.
        QCOMPARE(LimitInsertion(full, full + "b", 20, &cursor), full);
        QCOMPARE(cursor, 20);
        const QString middle = full.left(5) + "b" + full.mid(5);
        QCOMPARE(LimitInsertion(full, middle, 20, &cursor), full);
        QCOMPARE(cursor, 5);

        // A paste keeps what fits, before what follows the cursor.
        const QString before = "abc" + QString("x").repeated(15);
        const QString pasted = "abc" + QString("12345") + QString("x").repeated(15);
        QCOMPARE(LimitInsertion(before, pasted, 20, &cursor),
                 "abc" + QString("12") + QString("x").repeated(15));
        QCOMPARE(cursor, 5);

        // Twenty Arabic letters or twenty emoji fit; the twenty-first does not.
        QCOMPARE(LimitInsertion(kAlef.repeated(19), kAlef.repeated(20), 20, &cursor),
                 kAlef.repeated(20));
        QCOMPARE(LimitInsertion(kSmile.repeated(19), kSmile.repeated(20), 20, &cursor),
                 kSmile.repeated(20));
        QCOMPARE(LimitInsertion(kSmile.repeated(20), kSmile.repeated(21), 20, &cursor),
                 kSmile.repeated(20));

        // A pasted run of emoji is cut between characters, never inside a pair.
        const QString cut = LimitInsertion(kSmile.repeated(18), kSmile.repeated(23), 20, &cursor);
        QCOMPARE(cut, kSmile.repeated(20));
        QCOMPARE(cursor, 40);
    }

    // The name field takes one line: a pasted text's line breaks and tabs become single spaces.
    void pastedLinesBecomeOneLine() {
        Open();
        Edit1()->clear();
        Edit1()->insert(QStringLiteral("Ann\r\nLee\tX\n\n\tY") + QChar(0x2028) + "Z");
        QCOMPARE(Edit1()->text(), QStringLiteral("Ann Lee X Y Z"));
        QCOMPARE(Edit1()->cursorPosition(), Edit1()->text().size());
        // Twenty characters counted after the change.
        Edit1()->clear();
        Edit1()->insert(QStringLiteral("abcdefghij\r\n\r\nklmnopqrstuvwxyz"));
        QCOMPARE(Edit1()->text(), QStringLiteral("abcdefghij klmnopqrs"));
        // Spaces typed as spaces stay as they are.
        Edit1()->clear();
        QTest::keyClicks(Edit1(), "A  B");
        QCOMPARE(Edit1()->text(), QStringLiteral("A  B"));
    }

    void oneLineMovesTheCursorWithTheText() {
        int cursor = 6;  // between c and d
        QCOMPARE(morvel::OneLine(QStringLiteral("ab\r\n\tcd"), &cursor), QStringLiteral("ab cd"));
        QCOMPARE(cursor, 4);
        cursor = 3;  // inside the run
        QCOMPARE(morvel::OneLine(QStringLiteral("ab\r\n\tcd"), &cursor), QStringLiteral("ab cd"));
        QCOMPARE(cursor, 3);
        cursor = 1;  // before it
        QCOMPARE(morvel::OneLine(QStringLiteral("ab\ncd\te"), &cursor), QStringLiteral("ab cd e"));
        QCOMPARE(cursor, 1);
    }

    void editTakesTwentyCharacters() {
        Open();
        Edit1()->clear();
        QTest::keyClicks(Edit1(), QString("abcdefghij").repeated(3));
        QCOMPARE(Edit1()->text(), QString("abcdefghij").repeated(2));

        Edit1()->clear();
        Edit1()->insert(kAlef.repeated(25));
        QCOMPARE(Edit1()->text(), kAlef.repeated(20));

        Edit1()->clear();
        Edit1()->insert(kSmile.repeated(15));
        Edit1()->insert(kSmile.repeated(15));
        QCOMPARE(Edit1()->text(), kSmile.repeated(20));
        QVERIFY(!Edit1()->text().back().isHighSurrogate());
    }
};

MORVEL_UI_TEST(NameDialogTest)
#include "name_dialog_test.moc"
