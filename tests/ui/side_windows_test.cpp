// The side windows: the last round, the card-back chooser, the about box and the help window, and
// the enlarged collection card on the table.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <array>
#include <functional>

#include "about_texts.h"
#include "caption_ink.h"
#include "image_slot.h"
#include "qt_text.h"
#include "scaler.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"
#include "widgets.h"

using morvel::Family;
using morvel::Game;
using morvel::ImageSlot;
using morvel::Picture;
using morvel::Text;
using morvel::testing::Ink;
using morvel::testing::StartedWindows;

namespace {

// The help text as the player must read it, kept apart from the program's own copy.
const char* const kExpectedHelp[] = {
    "لعبة مورفل ",
    "Morvel Game ",
    "يمكن للاعب ان يلعب نوعين من مورفل",
    "You Can play Two Type  of Morvel",
    "",
    " 1. COMPLEX  معقد",
    "ان يلعب ديناري و لطش و شيخ القلب و بنات معاً  ثم مورفل  ",
    "You Can play Diamonds,Collection,Heart King and Queen with Other Then Morvel",
    "",
    " 2.NORMAL  عادي",
    " ان يلعب كل لعبة لوحدها     ",
    "You Can Play Each Game Alone",
    "",
    "عند الضغط على   ",
    "******************",
    "سوف تلعب النوع الاول    F2 ",
    "سوف تلعب النوع الثاني  F3",
    "سوف تظهر شاشة النتائج    F4  ",
    "سوف تظهر شاشة رسومات خلفية الورق    F5 ",
    "سوف تظهر شاشة تبين اخر رمية في كل لعبة    F6 ",
    "تنقل بين اوراقك    Left / Right",
    "اول ورقة او آخر ورقة    Home / End",
    "ارمِ الورقة التي عليها الاطار    Enter / Space",
    "بين اوراقك واختر لعبة وتمرير والاوراق المأخوذة    Tab",
    "بين صفوف الاوراق المأخوذة    Up / Down",
    "اضغط مطولاً لترى الورقة المأخوذة كبيرة    Enter",
    "في شاشة اختيار اللعبة: الاسهم ثم    Enter",
    "",
    "When Press on These Keys ",
    "*********************************",
    "F2   : You Can play The First Type",
    "F3   : You Can Play The Second Type   ",
    "F4   : You Can See The Result Screen",
    "F5   : You Can See Change Card Screen ",
    "F6   : You Can See The Last Shot in Each Game",
    "Left / Right : Move Between Your Cards",
    "Home / End   : Your First or Last Card",
    "Enter / Space: Play The Card in The Frame",
    "Tab          : Your Cards, Chose Game, Pass, Taken Cards",
    "Up / Down    : From Row to Row of Taken Cards",
    "Hold Enter   : See a Taken Card Large",
    "Chose Game   : Arrows to a Game, Enter, Then Enter for OK",
    "",
    "طريقة اللعب  ",
    "*************",
    " بعد اختيار نوع اللعبة معقد او عادي ",
    "فاذا كتنت عادي عليك اختيار الورقة والضغط عليها وبعد ذلك يلعب الكمبيوتر معك",
    "ويكون كسب الورق اي استلام اللعبة لك اذا رمى ورقة اكبر مقدارا  من نفس ",
    "اول و رقة رميت  وتكون من نفس النوع مثل ديناري او كبه الخ",
    "",
    "How To Play",
    "***************",
    "After Chose Type Of Game Complex or Normal",
    "If You Chose Normal you must Chose Card And Then Press On it Then",
    "The Computer Play with you If You Get The Game (Card) By Shot Card",
    "Larger in Value Than The First Card And The Same Type Like Diamons,Heart..etc",
    "",
    "ملاحظة ",
    "********",
    "عند اختيار اللعبة و اسمها  يجب مراعاة مايلة اذا كانت اللعبة",
    "ديناري ان تتجنب الكسب قدر الامكان من الديناري",
    "بنات ان تتجنب الكسب قدر الامكان من كل انواع البنات",
    "شيخ القلب ان تتجنب الكسب قدر الامكان من شيخ القلب",
    "لطش ان تتجنب الكسب قدر الامكان من كل الورق",
    "",
    "Note ",
    "******",
    "When Chose Game And its Name You Must Avoid The Followin if The Game is",
    "Diamonds  : You must avoid to get card for This Type ..Diamonds..",
    "Queen     : You must avoid to get card hase Any Type Of Queen",
    "Heart King: You must avoid to get card has Heart King   ",
    "Collection: You must avoid to get any cards",
    "",
    "",
    "اما مورفل فهي ترتيب اوراق الشدة كل حسب نوعه  واذا لم يكن ",
    "موجود كرت يكمل ترتيب االورق اضغط عل  زر تمرير وانتظر رمي اللاعبين الاخرين",
    "اذا كانت بداية اللعبة من قبلك يجب ان تبدأ برمي الولد اولا ومن ثم الاوراق الاخرى",
    "",
    "ويكون الترتيب كما يلي",
    "نقط شيخ بنت ولد عشرة تسعة ثمانيه حتى الاثنان والرئيسي الذي يبتدأ به الولد",
    "",
    "لا تستطيع ان تضغط على تمرير اذا كان عندك ما يكمل الورق المرمي كالبنت والشيخ ",
    "والعشرة والتسعة وهكذا ويبتدأ اللعب بالولد ثم البنت والشيخ والنقط اي الواحد ",
    "او العشرة بعد الولد ومن ثم التسعة وهكذا حتى الاثنان ",
    "والذي ينهى ورقه اول يأخذ مائتان والثاني يأخذ مائه وخمسون والثالث مائه والرابع خمسون",
    "",
    "Morvel Game its Order Card Each as Type and if not find any card press on ",
    "Pass Button and wait the other players to play",
    "The Order is Put Q{Queen} After J{Prince} ,K{King} after Q,1{ace} after K ,",
    "   10 before J,9 after 10,8 after 9...",
    "IF You The First Player You Must put The J Before any things ",
    "then play the next card ",
    "The first One End His Cards Take 200 then The Second 150,3rd 100,4th 50 .",
    "",
    "طريقة حساب النتيجة",
    "******************",
    "اذا كانت اللعبة بنات تاخذ على كل بنت سالب خمسة وعشرون -25",
    "اذا كانت اللعبة شيخ القلب تأخذ سالب خمس وسبعون -75",
    "اذا كانت اللعبة لطش تأخذ على كل لطش سالب خمسة عشر -15",
    "اما لعبة مورفل تأخذ العلامات بالموجب ولذلك يكون أكبر مجموع هو الفائز",
    "",
    "How to compute the results",
    "**************************",
    "if game is Queen you get each queen -25",
    "if game is Diamonds you get each Diamond card -10",
    "if game is Heart King you get -75",
    "if game is Collection You get -15 of each Collection",
    "But Morvel game get by Posetive +ve Value and",
    "who Get Maximum Value Be Win",
    "",
    "",
    "مع تحيات فريق مورفل  With best wishes from the Morvel developers",
};

// The image of the last-round window beside each seat 1..4.
const char* const kLastImageOfSeat[] = {nullptr, "l3", "l4", "l1", "l2"};

// What each seat did last in the deal being played, as the engine reports it.
struct Recorder : morvel::GameObserver {
    std::array<Picture, 5> last{};
    int takes = 0;
    void OnContract(char) override { last.fill(Picture::Blank()); }
    void OnLay(int seat, char suit, int rank) override { last[seat] = Face(suit, rank); }
    void OnMove(int seat, char suit, int rank) override { last[seat] = Face(suit, rank); }
    void OnPass(int seat) override { last[seat] = Picture::Pass(); }
    void OnTake(int) override { ++takes; }
    static Picture Face(char suit, int rank) { return Picture::Face(morvel::FaceOf(suit, rank)); }
};

}  // namespace

class SideWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;
    Recorder recorder_;

    Game& Engine() { return started_->Engine(); }
    const morvel::GameState& State() { return started_->Engine().State(); }
    ImageSlot* TableSlot(Family family, int n) { return started_->Form1().SlotWidget(family, n); }

    template <typename T>
    static T* Child(QWidget& window, const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        if (child == nullptr) qFatal("no control %s", name);
        return child;
    }

    bool PlayUntil(const std::function<bool()>& done) { return started_->PlayUntil(done); }

    // Opens a window from the menu, lets `look` see it open, and closes it with OK.
    void OpenFromMenu(const char* action, QDialog& window, const std::function<void()>& look) {
        QTimer::singleShot(0, &window, [&] {
            look();
            Child<QPushButton>(window, "BitBtn1")->click();
        });
        started_->Form1().findChild<QAction*>(QLatin1String(action))->trigger();
    }

    // The contract in play, or none chosen yet (contract number 0).
    void SetContract(char letter) {
        morvel::GameState& s = Engine().MutableState();
        s.contractList.Clear();
        s.contractNumber = 0;
        if (letter != morvel::kNoContract) {
            s.contractList.Set(1, letter);
            s.contractNumber = 1;
        }
    }
    // The next slot of a seat's collection row, as a round taken would fill it.
    void TakeIntoRow(int seat, Picture picture) {
        morvel::GameState& s = Engine().MutableState();
        const int j = ++s.collectionPosition[seat];
        Engine().MutableTable().SetPicture(Family::J, j, picture);
        Engine().MutableTable().SetVisible(Family::J, j, true);
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() {
        started_ = std::make_unique<StartedWindows>();
        recorder_ = {};
        Engine().SetObserver(&recorder_);
    }

    void cleanup() { started_.reset(); }

    // Start-up makes the name dialog alone; a side window is made when it first opens, and is
    // then placed and scaled by the table like the others.
    void sideWindowsAreMadeWhenFirstOpened() {
        const auto dialogs = [] {
            QStringList names;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (qobject_cast<QDialog*>(window) != nullptr) names << window->objectName();
            }
            names.sort();
            return names;
        };
        QCOMPARE(dialogs(), QStringList{QStringLiteral("Tenterform")});
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* last = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(last != nullptr);
            opened = last->objectName() == QLatin1String("Tlastform");
            QCOMPARE(morvel::Scaler::FactorFor(last), started_->Form1().TableScaler().Factor());
            last->reject();
        });
        started_->Form1().findChild<QAction*>(QStringLiteral("LastCard1"))->trigger();
        QVERIFY(opened);
        QCOMPARE(dialogs(),
                 (QStringList{QStringLiteral("Tenterform"), QStringLiteral("Tlastform")}));
    }

    // No window manager's frame, whose title bar brings buttons these windows cannot answer: each
    // draws its title across its top at the table's factor, above its controls as designed, and
    // moves when the strip is dragged. The name dialog, shown alone, is centred on the table.
    void everySideWindowDrawsItsOwnTitleBar() {
        morvel::Windows& w = *started_->windows;
        const qreal factor = started_->Form1().TableScaler().Factor();
        QVERIFY(factor > 1);
        const int strip = qRound(morvel::CaptionStrip::kHeight * factor);
        for (QDialog* window : std::initializer_list<QDialog*>{
                 &w.Enterform(), &w.Choosform(), &w.Allform(), &w.Resultform(), &w.Lastform(),
                 &w.Typecardform(), &w.Aboutform(), &w.Aboutmorvelform()}) {
            const char* name = qPrintable(window->objectName());
            window->show();
            QVERIFY2(window->windowFlags() & Qt::FramelessWindowHint, name);
            const auto* caption = Child<QLabel>(*window, "Caption");
            QCOMPARE(caption->geometry(), QRect(0, 0, window->width(), strip));
            QCOMPARE(caption->text(), window->windowTitle());
            const morvel::Scaler& scaler = *morvel::Scaler::Of(window);
            QCOMPARE(
                window->height(),
                qRound((scaler.DesignedSize().height() + morvel::CaptionStrip::kHeight) * factor));
            QCOMPARE(scaler.Area().top(), strip);
            for (const QWidget* child : window->findChildren<QWidget*>()) {
                if (child != caption && child->isVisible() && child->parentWidget() == window)
                    QVERIFY2(child->y() >= strip, qPrintable(child->objectName()));
            }
            if (window == &w.Enterform()) {
                const QPoint offset = window->frameGeometry().center() -
                                      started_->Form1().TableScaler().ScreenArea().center();
                QVERIFY2(offset.manhattanLength() <= 2, "the name dialog is centred");
            }
            const QPoint before = window->pos();
            QTest::mousePress(const_cast<QLabel*>(caption), Qt::LeftButton, {}, QPoint(40, 5));
            QTest::mouseMove(const_cast<QLabel*>(caption), QPoint(70, 25));
            QTest::mouseRelease(const_cast<QLabel*>(caption), Qt::LeftButton, {}, QPoint(70, 25));
            QCOMPARE(window->pos(), before + QPoint(30, 20));
            window->hide();
        }
    }

    // --- Last round --------------------------------------------------------------------------

    void lastRoundShowsEachSeatsCardOfTheRoundTaken() {
        QVERIFY(PlayUntil([&] { return recorder_.takes == 1; }));
        morvel::Tlastform& window = started_->windows->Lastform();
        const morvel::GameState before = State();

        std::array<Picture, 5> shown{};
        QString name;
        bool okHasFocus = false;
        OpenFromMenu("LastCard1", window, [&] {
            for (int seat = 1; seat <= 4; ++seat)
                shown[seat] = Child<ImageSlot>(window, kLastImageOfSeat[seat])->ShownPicture();
            name = Child<QLabel>(window, "n4")->text();
            okHasFocus = window.focusWidget() == Child<QPushButton>(window, "BitBtn1");
        });

        for (int seat = 1; seat <= 4; ++seat) {
            QCOMPARE(shown[seat].kind, Picture::Kind::Face);
            QCOMPARE(shown[seat], recorder_.last[seat]);
        }
        QCOMPARE(name, QStringLiteral("Player1"));
        QVERIFY(okHasFocus);
        QVERIFY(!window.isVisible());
        QVERIFY(State() == before);
    }

    void lastRoundShowsThePassOfALayoutCycle() {
        auto passShown = [&] {
            if (Engine().CurrentContract() != morvel::kMorvelLetter) return false;
            for (int seat = 1; seat <= 4; ++seat) {
                if (State().lastRound[seat] == Picture::Pass()) return true;
            }
            return false;
        };
        QVERIFY(PlayUntil(passShown));
        morvel::Tlastform& window = started_->windows->Lastform();
        window.show();
        int passes = 0;
        for (int seat = 1; seat <= 4; ++seat) {
            ImageSlot* image = Child<ImageSlot>(window, kLastImageOfSeat[seat]);
            // A seat that has not moved in this deal yet shows what the engine kept.
            const Picture expected = recorder_.last[seat] == Picture::Blank()
                                         ? State().lastRound[seat]
                                         : recorder_.last[seat];
            QCOMPARE(image->ShownPicture(), expected);
            if (expected == Picture::Pass()) {
                ++passes;
                QVERIFY(!image->Pixmap().isNull());
            }
        }
        QVERIFY(passes > 0);
        window.hide();
    }

    void lastRoundFollowsARoundTakenWhileItIsOpen() {
        // The human player lays a card, opens the window, and the others finish the round.
        QVERIFY(PlayUntil([&] {
            return State().humanTurn && morvel::IsRoundContract(Engine().CurrentContract()) &&
                   State().round.position < 4;
        }));
        const int takes = recorder_.takes;
        QVERIFY(morvel::Autopilot(Engine()).Step());
        morvel::Tlastform& window = started_->windows->Lastform();
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(recorder_.takes > takes, 5000);
        for (int seat = 1; seat <= 4; ++seat) {
            QCOMPARE(Child<ImageSlot>(window, kLastImageOfSeat[seat])->ShownPicture(),
                     recorder_.last[seat]);
        }
        window.hide();
    }

    // --- Card backs --------------------------------------------------------------------------

    void chooserOffersSixBacksAndChangesNothingWithoutAClick() {
        morvel::Ttypecardform& window = started_->windows->Typecardform();
        const morvel::GameState before = State();
        QSet<qint64> pixmaps;
        bool okHasFocus = false;
        QPoint centre;
        OpenFromMenu("N1", window, [&] {
            centre = window.geometry().center();
            for (int k = 1; k <= 6; ++k) {
                auto* image = Child<ImageSlot>(window, qPrintable(QStringLiteral("cc%1").arg(k)));
                QCOMPARE(image->ShownPicture(), Picture::Back(k));
                QVERIFY(!image->Pixmap().isNull());
                QCOMPARE(image->cursor().shape(), Qt::PointingHandCursor);
                pixmaps.insert(image->Pixmap().cacheKey());
            }
            okHasFocus = window.focusWidget() == Child<QPushButton>(window, "BitBtn1");
        });
        QCOMPARE(pixmaps.size(), 6);
        QVERIFY(okHasFocus);
        QVERIFY(State() == before);
        // Over the middle of the table.
        const QPoint offset = centre - started_->Form1().TableScaler().ScreenArea().center();
        QVERIFY2(offset.manhattanLength() <= 3,
                 qPrintable(QString("%1, %2").arg(offset.x()).arg(offset.y())));
    }

    void chosenBackRepaintsTheFaceDownCardsAtOnce() {
        // A Collection deal in which seat 2 has taken two rounds.
        SetContract(morvel::kCollectionLetter);
        TakeIntoRow(2, Picture::Back(1));
        TakeIntoRow(2, Picture::Back(1));
        started_->Form1().Sync();
        std::array<Picture, 53> rows{};
        for (int j = 1; j <= 52; ++j)
            rows[j] = TableSlot(Family::J, j)->ShownPicture();

        morvel::Ttypecardform& window = started_->windows->Typecardform();
        window.show();
        Child<QPushButton>(window, "BitBtn1")->clearFocus();
        QTest::mouseClick(Child<ImageSlot>(window, "cc3"), Qt::LeftButton);

        // No Sync from the test: the table must already show the new back.
        QCOMPARE(State().cardBack, 3);
        for (int n = 1; n <= 39; ++n)
            QCOMPARE(TableSlot(Family::I, n)->ShownPicture(), Picture::Back(3));
        for (int n = 40; n <= 52; ++n) {
            QCOMPARE(TableSlot(Family::I, n)->ShownPicture(), Picture::Face(State().hand[n].face));
        }
        for (int j = 1; j <= 52; ++j) {
            const Picture expected = j == 27 || j == 28 ? Picture::Back(3) : rows[j];
            QCOMPARE(TableSlot(Family::J, j)->ShownPicture(), expected);
        }
        QCOMPARE(window.focusWidget(), Child<QPushButton>(window, "BitBtn1"));
        QVERIFY(window.isVisible());
        window.hide();
    }

    void chosenBackLeavesFaceUpRowsAlone_data() {
        QTest::addColumn<char>("contract");
        QTest::newRow("queen deal") << morvel::kQueenLetter;
        // Contract number 0 has no place in the contract list.
        QTest::newRow("before any choice") << morvel::kNoContract;
    }

    void chosenBackLeavesFaceUpRowsAlone() {
        QFETCH(char, contract);
        SetContract(contract);
        const Picture queenOfSpades = Recorder::Face(morvel::kSpades, morvel::kQueen);
        TakeIntoRow(1, queenOfSpades);
        TakeIntoRow(2, Picture::Back(1));
        started_->Form1().Sync();

        morvel::Ttypecardform& window = started_->windows->Typecardform();
        window.show();
        QTest::mouseClick(Child<ImageSlot>(window, "cc5"), Qt::LeftButton);
        QCOMPARE(TableSlot(Family::I, 1)->ShownPicture(), Picture::Back(5));
        QCOMPARE(TableSlot(Family::J, 40)->ShownPicture(), queenOfSpades);
        QCOMPARE(TableSlot(Family::J, 27)->ShownPicture(), Picture::Back(1));
        window.hide();
    }

    void captionsAndOkButtonsReadAsGiven() {
        morvel::Windows& w = *started_->windows;
        const std::pair<QDialog*, const char*> windows[] = {
            {&w.Lastform(), "               الرمية الاخيرة Last Shot"},
            {&w.Typecardform(), "Deck Card نوع خلفية الورقة "},
            {&w.Aboutform(), "About Me ?"},
            {&w.Aboutmorvelform(), "About Movel"},
        };
        for (const auto& [window, caption] : windows) {
            QCOMPARE(morvel::CaptionText(window->windowTitle()), QString::fromUtf8(caption));
            auto* ok = Child<QPushButton>(*window, "BitBtn1");
            QCOMPARE(morvel::CaptionText(ok->text()), QStringLiteral("موافق OK"));
            QVERIFY2(Ink(ok, ok->palette().color(QPalette::ButtonText)).ArabicFirst(),
                     qPrintable(window->objectName()));
        }
        QCOMPARE(morvel::CaptionText(Child<QLabel>(w.Typecardform(), "Label1")->text()),
                 QStringLiteral("اختر شكل لخلفية الورق بالضغط على الصورة"));
        QCOMPARE(morvel::CaptionText(Child<QLabel>(w.Typecardform(), "Label2")->text()),
                 QStringLiteral("Chose Card By Press On Picture"));
    }

    // --- Collection zoom ---------------------------------------------------------------------

    void pressedCollectionCardShowsBesideItsSeat_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("j40 queen") << 40 << 1 << Qt::LeftButton;
        QTest::newRow("j27 back") << 27 << 2 << Qt::RightButton;
        QTest::newRow("j13 last of seat 4") << 13 << 4 << Qt::MiddleButton;
        QTest::newRow("j14 first of seat 3") << 14 << 3 << Qt::LeftButton;
    }

    void pressedCollectionCardShowsBesideItsSeat() {
        QFETCH(int, slot);
        QFETCH(int, zoom);
        QFETCH(Qt::MouseButton, button);
        const Picture picture =
            slot == 27 ? Picture::Back(1) : Recorder::Face(morvel::kSpades, morvel::kQueen);
        Engine().MutableTable().SetPicture(Family::J, slot, picture);
        Engine().MutableTable().SetVisible(Family::J, slot, true);
        started_->Form1().Sync();

        ImageSlot* j = TableSlot(Family::J, slot);
        ImageSlot* pig = TableSlot(Family::Pig, zoom);
        QTest::mousePress(j, button, {}, QPoint(3, 5));
        QCOMPARE(pig->ShownPicture(), picture);
        QVERIFY(pig->isVisible());
        QVERIFY(!pig->Pixmap().isNull());
        for (int other = 1; other <= 4; ++other) {
            if (other != zoom) QCOMPARE(TableSlot(Family::Pig, other)->ShownPicture(), Picture());
        }

        // The release blanks the zoom even when the slot has changed meanwhile.
        Engine().MutableTable().SetPicture(Family::J, slot, Picture::Back(2));
        started_->Form1().Sync();
        QTest::mouseRelease(j, button, {}, QPoint(3, 5));
        QCOMPARE(pig->ShownPicture(), Picture::Blank());
        QVERIFY(pig->Pixmap().isNull());
    }

    // --- About and help ----------------------------------------------------------------------

    void helpHoldsEveryLineInOrderCentred() {
        morvel::Taboutmorvelform& window = started_->windows->Aboutmorvelform();
        QCOMPARE(window.size(), QSize(508, 421 + morvel::CaptionStrip::kHeight));
        QTextEdit* memo = Child<QTextEdit>(window, "Memo1");
        QVERIFY(memo->isReadOnly());

        const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
        const int expected = static_cast<int>(std::size(kExpectedHelp));
        QCOMPARE(lines.size(), expected);
        for (int i = 0; i < expected; ++i)
            QCOMPARE(lines[i], QString::fromUtf8(kExpectedHelp[i]));
        for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
            QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            QCOMPARE(block.blockFormat().layoutDirection(), Qt::LeftToRight);
        }

        window.show();
        QVERIFY(memo->verticalScrollBar()->isVisible());
        QVERIFY(memo->verticalScrollBar()->maximum() > 0);
        window.hide();
    }

    void helpKeysAndMouseBringTheFocusToOk() {
        morvel::Taboutmorvelform& window = started_->windows->Aboutmorvelform();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTextEdit* memo = Child<QTextEdit>(window, "Memo1");
        auto* ok = Child<QPushButton>(window, "BitBtn1");
        QCOMPARE(window.focusWidget(), ok);
        const QString text = memo->toPlainText();

        // Scrolling with the keys stays in the text; a typed letter moves on to OK.
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_PageDown);
        QCOMPARE(window.focusWidget(), memo);
        QTest::keyClick(memo, Qt::Key_A);
        QCOMPARE(window.focusWidget(), ok);
        QCOMPARE(memo->toPlainText(), text);

        // Enter typed into the text only moves the focus; the next one closes.
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(window.focusWidget(), ok);
        QVERIFY(window.isVisible());

        memo->setFocus();
        QMouseEvent move(QEvent::MouseMove, QPointF(10, 390), QPointF(10, 390), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        QCOMPARE(window.focusWidget(), ok);

        QTest::keyClick(ok, Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void aboutBoxShowsNameAndCredits() {
        morvel::Taboutform& window = started_->windows->Aboutform();
        QCOMPARE(window.size(), QSize(198, 166 + morvel::CaptionStrip::kHeight));
        const QStringList lines =
            Child<QTextEdit>(window, "Memo1")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 12);
        QCOMPARE(lines[0], QStringLiteral("بسم الله الرحمن الرحيم"));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], QStringLiteral("اسم اللعبة مورفل "));
        QCOMPARE(lines[3], QStringLiteral("Name Game : Morvel  "));
        for (int i = 4; i < 9; ++i)
            QVERIFY(!lines[i].trimmed().isEmpty());
        for (int i = 9; i < 12; ++i)
            QCOMPARE(lines[i], QString());

        // The name and the credits show in full without a scroll bar.
        QTextEdit* memo = Child<QTextEdit>(window, "Memo1");
        bool okHasFocus = false;
        qreal creditsBottom = 0;
        OpenFromMenu("AboutMovel1", window, [&] {
            okHasFocus = window.focusWidget() == Child<QPushButton>(window, "BitBtn1");
            const QTextBlock lastCredit = memo->document()->findBlockByNumber(8);
            creditsBottom =
                memo->document()->documentLayout()->blockBoundingRect(lastCredit).bottom();
        });
        QVERIFY(okHasFocus);
        QVERIFY(creditsBottom > 0);
        QVERIFY(creditsBottom <= memo->viewport()->height());
        QVERIFY(!window.isVisible());
    }
};

MORVEL_UI_TEST(SideWindowsTest)
#include "side_windows_test.moc"
