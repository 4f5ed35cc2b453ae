// The table window: its controls, its menu, and how it passes events to the engine and paints
// what the engine changed.
#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRawFont>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "caption_ink.h"
#include "image_slot.h"
#include "qt_text.h"
#include "scaler.h"
#include "test_windows.h"
#include "texts.h"
#include "ui_test_main.h"

using morvel::CaptionText;
using morvel::Family;
using morvel::Picture;
using morvel::TableModel;
using morvel::Text;
using morvel::TimerId;
using morvel::testing::StartedWindows;

class TableWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedWindows> started_;

    QWidget* Control(const char* name) {
        return started_->Form1().centralWidget()->findChild<QWidget*>(QLatin1String(name));
    }
    QAction* Action(const char* name) {
        return started_->Form1().findChild<QAction*>(QLatin1String(name));
    }
    morvel::ImageSlot* SlotWidget(Family family, int n) {
        return started_->Form1().SlotWidget(family, n);
    }

  private slots:
    void initTestCase() { morvel::SetUpApplication(*qApp); }

    void init() { started_ = std::make_unique<StartedWindows>(); }

    void cleanup() { started_.reset(); }

    void controlsStandAtTheirDesignedPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("visible");  // -1: depends on the deal in play
        auto row = [](const char* name, int x, int y, int w, int h, int visible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h) << visible;
        };
        row("i1", 9, 72, 60, 73, -1);
        row("i13", 9, 264, 60, 73, -1);
        row("i14", 184, 8, 60, 73, -1);
        row("i26", 376, 8, 60, 73, -1);
        row("i27", 562, 72, 60, 73, -1);
        row("i39", 562, 264, 60, 73, -1);
        row("i40", 186, 328, 70, 82, -1);
        row("i41", 200, 328, 70, 82, -1);
        row("i52", 376, 328, 70, 82, -1);
        row("j1", 71, 136, 35, 40, -1);
        row("j13", 71, 232, 35, 40, -1);
        row("j14", 235, 81, 35, 40, -1);
        row("j27", 525, 136, 35, 40, -1);
        row("j40", 240, 286, 35, 40, -1);
        row("j51", 328, 286, 35, 40, -1);
        row("j52", 337, 286, 35, 40, -1);
        row("k1", 160, 137, 70, 82, -1);
        row("k3", 160, 169, 70, 82, -1);
        row("k4", 160, 185, 70, 82, -1);
        row("k13", 160, 185, 70, 82, -1);
        row("k27", 320, 137, 70, 82, -1);
        row("k52", 400, 185, 70, 82, -1);
        row("pig1", 386, 246, 70, 82, -1);
        row("pig2", 455, 160, 70, 82, -1);
        row("pig3", 165, 80, 70, 82, -1);
        row("pig4", 107, 160, 70, 82, -1);
        row("h1", 206, 297, 30, 30, -1);
        row("h4", 72, 103, 30, 30, -1);
        row("king3", 120, 32, 60, 46, 0);
        row("Label1", 8, 48, 76, 20, 1);
        row("Label2", 448, 8, 60, 16, 1);
        row("Label3", 552, 48, 72, 20, 1);
        row("nameplayer", 36, 388, 138, 20, 1);
        row("Panel1", 499, 372, 130, 22, 1);
        row("namegame", 499, 392, 130, 22, 1);
        row("cg", 237, 298, 155, 29, 0);
        row("passb", 237, 298, 155, 29, 0);
        row("clear", 8, 0, 41, 33, 1);
        row("passcard", 56, 0, 25, 33, 0);
    }

    void controlsStandAtTheirDesignedPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, visible);
        QWidget* control = Control(name.toLatin1().constData());
        QVERIFY2(control != nullptr, qPrintable(name));
        QCOMPARE(control->parentWidget(), started_->Form1().centralWidget());
        const morvel::Scaler& scaler = started_->Form1().TableScaler();
        QCOMPARE(scaler.DesignedRect(control), geometry);
        QCOMPARE(control->geometry(), scaler.Map(geometry));
        if (visible >= 0) QCOMPARE(control->isVisibleTo(&started_->Form1()), visible == 1);
    }

    // Drawn as large as the window allows: touching its right or bottom edge, centred, the room
    // around it green.
    void tableFillsTheWindow() {
        QWidget* table = started_->Form1().centralWidget();
        const morvel::Scaler& scaler = started_->Form1().TableScaler();
        QCOMPARE(scaler.Factor(), morvel::Scaler::FitFactor(morvel::kTableSize, table->size()));
        QVERIFY(scaler.Factor() > 1);
        const QRect area = scaler.Area();
        QVERIFY(std::abs(area.right() - (table->width() - 1)) <= 1 ||
                std::abs(area.bottom() - (table->height() - 1)) <= 1);
        QVERIFY(std::abs(area.left() - (table->width() - 1 - area.right())) <= 1);
        QVERIFY(std::abs(area.top() - (table->height() - 1 - area.bottom())) <= 1);
        const QImage shown = morvel::testing::Rendered(table);
        for (QPoint corner : {QPoint(0, 0), QPoint(table->width() - 1, table->height() - 1)})
            QCOMPARE(shown.pixelColor(corner), QColor(0, 128, 64));

        // The window leaves its own background unpainted: the menu bar and the table must cover
        // it whole at any size, or what lay there before would show.
        QMainWindow& window = started_->Form1();
        QVERIFY(window.testAttribute(Qt::WA_NoSystemBackground));
        for (QSize size : {window.size(), QSize(900, 700), QSize(2000, 600)}) {
            window.resize(size);
            window.layout()->activate();
            const QRegion bare = QRegion(window.rect()) - window.menuBar()->geometry() -
                                 window.centralWidget()->geometry();
            QVERIFY2(bare.isEmpty(), qPrintable(QStringLiteral("bare at %1x%2: %3 pixels")
                                                    .arg(size.width())
                                                    .arg(size.height())
                                                    .arg(bare.boundingRect().width() *
                                                         bare.boundingRect().height())));
        }
    }

    // A click where a card is drawn plays that card.
    void clickOnAScaledCardPlaysIt() {
        morvel::Game& game = started_->Engine();
        QVERIFY(started_->PlayUntil([&] {
            return game.State().humanTurn && game.State().round.position == 1 &&
                   morvel::IsRoundContract(game.CurrentContract());
        }));
        int entry = 52;
        while (game.State().hand[entry].suit == morvel::kPlayed)
            --entry;
        // The card's left edge, which the next card leaves bare, half way down.
        const morvel::Rect r = game.Table().Get(Family::I, entry).rect;
        const morvel::Scaler& scaler = started_->Form1().TableScaler();
        QWidget* table = started_->Form1().centralWidget();
        const QPoint at =
            table->mapTo(&started_->Form1(), scaler.Map(QPoint(r.left + 4, r.top + r.height / 2)));
        QTest::mouseClick(started_->Form1().windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(game.State().hand[entry].suit, morvel::kPlayed);
        QCOMPARE(game.State().round.cards[1].rank, game.State().hand[entry].rank);
    }

    void captionsColoursAndFonts() {
        morvel::TForm1& form = started_->Form1();
        QCOMPARE(CaptionText(form.windowTitle()), Text(morvel::text::kWindowCaption));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Morvel"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.morvel.morvel"));
        QVERIFY(form.isMaximized());
        QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(0, 128, 64));

        struct Expected {
            const char* name;
            std::string_view caption;
            QColor colour;
        };
        const Expected labels[] = {
            {"Label1", morvel::text::kSeat4Name, Qt::white},
            {"Label2", morvel::text::kSeat3Name, Qt::white},
            {"Label3", morvel::text::kSeat2Name, Qt::white},
            {"nameplayer", "Player1", Qt::white},
            {"Panel1", morvel::text::kPanelNormal, QColor(0, 0, 255)},
        };
        for (const Expected& e : labels) {
            auto* label = qobject_cast<QLabel*>(Control(e.name));
            QVERIFY2(label != nullptr, e.name);
            QCOMPARE(CaptionText(label->text()), Text(e.caption));
            QCOMPARE(label->palette().color(QPalette::WindowText), e.colour);
            QVERIFY(label->font().bold());
        }
        const qreal factor = form.TableScaler().Factor();
        for (const char* name : {"Label1", "Label2", "Label3", "nameplayer"})
            QCOMPARE(Control(name)->font().pixelSize(), qRound(13 * factor));
        QVERIFY(qobject_cast<QLabel*>(Control("nameplayer"))->alignment() & Qt::AlignRight);
        QCOMPARE(Control("namegame")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(Control("namegame")->palette().color(QPalette::Window), QColor(Qt::white));

        QCOMPARE(CaptionText(qobject_cast<QPushButton*>(Control("cg"))->text()),
                 Text(morvel::text::kChooseGameButton));
        QCOMPARE(CaptionText(qobject_cast<QPushButton*>(Control("passb"))->text()),
                 Text(morvel::text::kPassButton));
        // One bundled font draws both scripts of every caption, with no fallback to look for.
        QCOMPARE(QApplication::font().families(), QStringList{QStringLiteral("Morvel Sans")});
        const QRawFont font = QRawFont::fromFont(QApplication::font());
        for (const char16_t letter : {u'A', u'z', u'\u0627', u'\u0645', u'\u0651'})
            QVERIFY2(font.supportsCharacter(QChar(letter)), qPrintable(QString(QChar(letter))));
    }

    void startUpRunsOnceAndShowsTheDeal() {
        QCOMPARE(started_->host->nameDialogs, 1);
        started_->Form1().hide();
        started_->Form1().showMaximized();
        QTest::qWait(20);
        QCOMPARE(started_->host->nameDialogs, 1);

        const morvel::GameState& state = started_->Engine().State();
        for (int n = 1; n <= 52; ++n) {
            const Picture expected =
                n <= 39 ? Picture::Back(state.cardBack) : Picture::Face(state.hand[n].face);
            QCOMPARE(SlotWidget(Family::I, n)->ShownPicture(), expected);
            // Made for the slot's size on the screen, to the pixel.
            morvel::ImageSlot* slot = SlotWidget(Family::I, n);
            const QSize drawn = slot->size() * slot->devicePixelRatio();
            QVERIFY2(std::abs(slot->Pixmap().width() - drawn.width()) <= 1 &&
                         std::abs(slot->Pixmap().height() - drawn.height()) <= 1,
                     qPrintable(QString("slot %1").arg(n)));
        }
        // Slots of one designed size share their pictures at every factor, however the scaler
        // rounds their places: a face is made and kept once.
        const morvel::Picture face = morvel::Picture::Face(1);
        QSet<qint64> made;
        for (int n : {40, 41, 42, 43, 44, 45, 46}) {
            morvel::ImageSlot* slot = SlotWidget(Family::I, n);
            slot->SetPicture(face);
            made.insert(slot->Pixmap().cacheKey());
        }
        QCOMPARE(made.size(), 1);
        QCOMPARE(SlotWidget(Family::I, 40)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(SlotWidget(Family::J, 1)->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(SlotWidget(Family::I, 39)->cursor().shape() != Qt::PointingHandCursor);
    }

    void higherSlotsLieAbove() {
        QWidget* table = started_->Form1().centralWidget();
        const morvel::Scaler& scaler = started_->Form1().TableScaler();
        TableModel& model = started_->Engine().MutableTable();
        model.SetVisible(Family::J, 40, true);
        model.SetVisible(Family::J, 41, true);
        started_->Form1().Sync();
        // i51 and i52 overlap from x 376 to 390; a click there falls on i52.
        QCOMPARE(table->childAt(scaler.Map(QPoint(380, 360))), SlotWidget(Family::I, 52));
        QCOMPARE(table->childAt(scaler.Map(QPoint(250, 300))), SlotWidget(Family::J, 41));
        // A hidden slot lets the pointer through to the one below.
        SlotWidget(Family::I, 52)->hide();
        QCOMPARE(table->childAt(scaler.Map(QPoint(380, 360))), SlotWidget(Family::I, 51));

        const QObjectList& order = table->children();
        auto at = [&](Family f, int n) { return order.indexOf(SlotWidget(f, n)); };
        QVERIFY(at(Family::K, 52) < at(Family::J, 1));
        QVERIFY(at(Family::J, 52) < at(Family::I, 1));
        QVERIFY(at(Family::I, 52) < at(Family::P, 1));
        QVERIFY(at(Family::P, 4) < at(Family::Pig, 1));
        QVERIFY(at(Family::Pig, 4) < at(Family::H, 1));
        QVERIFY(at(Family::H, 4) < at(Family::King, 1));
        QVERIFY(at(Family::King, 4) < order.indexOf(Control("cg")));
    }

    // "ديناري Diamonds" reads from left to right as written: the Arabic word first. Qt would put
    // it last, as the text begins with an Arabic letter.
    void captionsReadLeftToRight() {
        started_->Engine().MutableTable().SetNamegame(
            morvel::FindContract(morvel::kDiamondsLetter)->panel);
        started_->Form1().Sync();
        QVERIFY(morvel::testing::Ink(Control("namegame"), QColor(255, 0, 0)).ArabicFirst());
    }

    void syncPaintsWhatTheModelChanged() {
        TableModel& model = started_->Engine().MutableTable();
        model.MoveTo(Family::P, 1, 209, 160);
        model.SetPicture(Family::P, 1, Picture::Face(40));
        model.SetVisible(Family::H, 3, true);
        model.SetEnabled(Family::I, 45, false);
        model.SetNamegame("xyz");
        model.SetPassbVisible(true);
        started_->Form1().Sync();

        const morvel::Scaler& scaler = started_->Form1().TableScaler();
        QCOMPARE(SlotWidget(Family::P, 1)->geometry(), scaler.Map(QRect(209, 160, 70, 82)));
        QCOMPARE(SlotWidget(Family::P, 1)->ShownPicture(), Picture::Face(40));
        QVERIFY(SlotWidget(Family::H, 3)->isVisibleTo(&started_->Form1()));
        QVERIFY(!SlotWidget(Family::I, 45)->isEnabled());
        QCOMPARE(CaptionText(qobject_cast<QLabel*>(Control("namegame"))->text()),
                 QStringLiteral("xyz"));
        QVERIFY(Control("passb")->isVisibleTo(&started_->Form1()));

        // Nothing is marked changed any more, so a widget moved behind the model's back stays.
        SlotWidget(Family::P, 1)->move(0, 0);
        started_->Form1().Sync();
        QCOMPARE(SlotWidget(Family::P, 1)->pos(), QPoint(0, 0));
    }

    // p2 is a little wider and lower than a card: it shows the very picture p1 shows, stretched,
    // rather than one more of its own.
    void playedSlotsShareTheCardsPicture() {
        TableModel& model = started_->Engine().MutableTable();
        model.SetPicture(Family::P, 1, Picture::Face(5));
        model.SetPicture(Family::P, 2, Picture::Face(5));
        started_->Form1().Sync();
        QCOMPARE(SlotWidget(Family::P, 2)->Pixmap().cacheKey(),
                 SlotWidget(Family::P, 1)->Pixmap().cacheKey());
        QVERIFY(SlotWidget(Family::P, 2)->size() != SlotWidget(Family::P, 1)->size());
    }

    void focusGoesWhereTheEngineAsks() {
        TableModel& model = started_->Engine().MutableTable();
        model.SetCgVisible(true);
        model.SetFocus(morvel::Focus::Cg);
        started_->Form1().Sync();
        QCOMPARE(started_->Form1().focusWidget(), Control("cg"));

        // The focus is given once per request, not taken back on every repaint.
        Control("Panel1")->setFocusPolicy(Qt::StrongFocus);
        Control("Panel1")->setFocus();
        started_->Form1().Sync();
        QCOMPARE(started_->Form1().focusWidget(), Control("Panel1"));
    }

    void handClicksReachTheEngine() {
        morvel::Game& game = started_->Engine();
        // Let the computer players play until the human player's turn.
        game.SetTimer(TimerId::Timer1, 1);
        QTRY_VERIFY_WITH_TIMEOUT(game.State().humanTurn, 5000);
        const morvel::GameState& state = game.State();
        QVERIFY(game.CurrentContract() != 'M');

        // A card that follows the lead, and one that does not when the hand could follow.
        int legal = 0;
        int illegal = 0;
        const char lead = state.round.cards[1].suit;
        const bool mustFollow = state.round.position != 1 && game.HasSuit(morvel::kHuman, lead);
        for (int n = 40; n <= 52; ++n) {
            if (state.hand[n].suit == morvel::kPlayed) continue;
            if (!mustFollow || state.hand[n].suit == lead) {
                if (legal == 0) legal = n;
            } else if (illegal == 0) {
                illegal = n;
            }
        }
        QVERIFY(legal != 0);
        if (illegal != 0) {
            QTest::mouseClick(SlotWidget(Family::I, illegal), Qt::LeftButton);
            QCOMPARE(started_->host->beeps, 1);
            QVERIFY(SlotWidget(Family::I, illegal)->isVisible());
        }
        // Only a left click lays a card.
        QTest::mouseClick(SlotWidget(Family::I, legal), Qt::RightButton);
        QVERIFY(SlotWidget(Family::I, legal)->isVisible());
        QTest::mouseClick(SlotWidget(Family::I, legal), Qt::LeftButton);
        QVERIFY(!SlotWidget(Family::I, legal)->isVisible());
    }

    void collectionPressShowsTheEnlargedCard() {
        TableModel& model = started_->Engine().MutableTable();
        model.SetPicture(Family::J, 5, Picture::Face(3));
        model.SetVisible(Family::J, 5, true);
        started_->Form1().Sync();

        morvel::ImageSlot* j5 = SlotWidget(Family::J, 5);
        QTest::mousePress(j5, Qt::RightButton, {}, QPoint(30, 20));
        QCOMPARE(SlotWidget(Family::Pig, 4)->ShownPicture(), Picture::Face(3));
        QTest::mouseRelease(j5, Qt::RightButton, {}, QPoint(30, 20));
        QCOMPARE(SlotWidget(Family::Pig, 4)->ShownPicture(), Picture::Blank());
    }

    void menuCaptionsAndShortcuts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        namespace t = morvel::text;
        auto row = [](const char* name, std::string_view caption, QKeySequence key) {
            QTest::newRow(name) << QString::fromLatin1(name) << Text(caption) << key;
        };
        row("Complex1", t::kMenuComplex, QKeySequence(Qt::Key_F2));
        row("Normal1", t::kMenuNormal, QKeySequence(Qt::Key_F3));
        row("Exit1", t::kMenuExit, QKeySequence(Qt::Key_F10));
        row("Result1", t::kMenuResult, QKeySequence(Qt::Key_F4));
        row("N1", t::kMenuDeckCard, QKeySequence(Qt::Key_F5));
        row("LastCard1", t::kMenuLastShot, QKeySequence(Qt::Key_F6));
        row("Slow1", t::kMenuSlow, QKeySequence(Qt::Key_F7));
        row("Medium1", t::kMenuMedium, QKeySequence(Qt::Key_F8));
        row("Fast1", t::kMenuFast, QKeySequence(Qt::Key_F9));
        row("AboutMovel1", t::kMenuAbout, QKeySequence());
        row("HelpMorvel1", t::kMenuHelpMorvel, QKeySequence(Qt::Key_F1));
        row("Timer2", t::kMenuSpeed, QKeySequence());
    }

    void menuCaptionsAndShortcuts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QAction* action = Action(name.toLatin1().constData());
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void speedItemsSetTheIntervalAndMoveTheCheck() {
        QAction* slow = Action("Slow1");
        QAction* medium = Action("Medium1");
        QAction* fast = Action("Fast1");
        auto checks = [&] {
            return QList<bool>{slow->isChecked(), medium->isChecked(), fast->isChecked()};
        };
        QCOMPARE(checks(), (QList<bool>{false, false, true}));
        QCOMPARE(started_->Engine().State().speedInterval, 50);

        slow->trigger();
        QCOMPARE(started_->Engine().State().speedInterval, 300);
        QCOMPARE(checks(), (QList<bool>{true, false, false}));
        medium->trigger();
        QCOMPARE(started_->Engine().State().speedInterval, 200);
        QCOMPARE(checks(), (QList<bool>{false, true, false}));
        // Choosing the checked item again keeps its check.
        medium->trigger();
        QCOMPARE(checks(), (QList<bool>{false, true, false}));
        fast->trigger();
        QCOMPARE(started_->Engine().State().speedInterval, 50);
        QCOMPARE(checks(), (QList<bool>{false, false, true}));
    }

    void modeItemsMoveTheirChecksInTheirOwnOrder() {
        QAction* normal = Action("Normal1");
        QAction* complex = Action("Complex1");
        QVERIFY(normal->isChecked());
        QVERIFY(!complex->isChecked());

        QList<bool> atDialog;  // Normal1, Complex1 checked while the name is asked
        QString panelAtDialog;
        started_->host->onNameDialog = [&] {
            atDialog = {normal->isChecked(), complex->isChecked()};
            panelAtDialog = CaptionText(qobject_cast<QLabel*>(Control("Panel1"))->text());
        };

        complex->trigger();
        QCOMPARE(started_->host->nameDialogs, 2);
        QCOMPARE(atDialog, (QList<bool>{false, true}));
        QCOMPARE(panelAtDialog, Text(morvel::text::kPanelComplex));
        QCOMPARE(started_->Engine().State().mode, morvel::GameMode::Complex);

        normal->trigger();
        QCOMPARE(started_->host->nameDialogs, 3);
        QCOMPARE(atDialog, (QList<bool>{false, true}));  // Normal moves them after the new game
        QCOMPARE(panelAtDialog, Text(morvel::text::kPanelNormal));
        QVERIFY(normal->isChecked());
        QVERIFY(!complex->isChecked());

        // Normal again: Qt's own toggle must not leave it unchecked.
        normal->trigger();
        QVERIFY(normal->isChecked());
        QCOMPARE(atDialog, (QList<bool>{true, false}));
    }

    void functionKeysReachTheMenu() {
        morvel::TForm1& form = started_->Form1();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F7);
        QCOMPARE(started_->Engine().State().speedInterval, 300);
        QTest::keyClick(&form, Qt::Key_F9);
        QCOMPARE(started_->Engine().State().speedInterval, 50);
        QTest::keyClick(&form, Qt::Key_F2);
        QCOMPARE(started_->Engine().State().mode, morvel::GameMode::Complex);
    }

    void menuOpensSideWindowsModally_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("Result1") << "Result1"
                                 << "Tresultform";
        QTest::newRow("N1") << "N1"
                            << "Ttypecardform";
        QTest::newRow("LastCard1") << "LastCard1"
                                   << "Tlastform";
        QTest::newRow("AboutMovel1") << "AboutMovel1"
                                     << "Taboutform";
        QTest::newRow("HelpMorvel1") << "HelpMorvel1"
                                     << "Taboutmorvelform";
    }

    void menuOpensSideWindowsModally() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QString shown;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* active = QApplication::activeModalWidget();
            if (active == nullptr) return;
            shown = active->objectName();
            modal = active->isModal();
            QPushButton* ok = active->findChild<QPushButton*>();
            if (ok != nullptr) ok->click();
        });
        Action(item.toLatin1().constData())->trigger();  // returns once the window is closed
        QCOMPARE(shown, window);
        QVERIFY(modal);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void dealEndWaitsForASheetOpenedFromTheMenu() {
        morvel::QtHost& host = *started_->host;
        morvel::Tresultform& sheet = started_->windows->Resultform();
        QStringList events;
        int shows = 0;
        struct ShowCounter : QObject {
            int* shows;
            explicit ShowCounter(int* s) : shows(s) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Show) ++*shows;
                return false;
            }
        } counter(&shows);
        sheet.installEventFilter(&counter);

        QTimer::singleShot(0, [&] {
            events << "menu sheet up";
            QTimer::singleShot(10, [&] {
                events << "closing";
                sheet.OkButton()->click();
            });
            // The engine's end of a deal, arriving while the person reads the sheet.
            host.QtHost::ShowResultSheet();
            events << "deal end goes on";
        });
        Action("Result1")->trigger();
        QCOMPARE(events, (QStringList{"menu sheet up", "closing", "deal end goes on"}));
        QCOMPARE(shows, 1);

        // With no sheet open, the end of a deal shows it modally itself.
        QTimer::singleShot(0, [&] {
            events << QApplication::activeModalWidget()->objectName();
            sheet.OkButton()->click();
        });
        host.QtHost::ShowResultSheet();
        QCOMPARE(events.last(), QStringLiteral("Tresultform"));
        QCOMPARE(shows, 2);
    }

    void restoredWindowGoesBackToMaximised() {
        morvel::TForm1& form = started_->Form1();
        form.showNormal();
        QTRY_VERIFY(form.isMaximized());
        form.showMinimized();
        QTest::qWait(20);
        QVERIFY(form.isMinimized());
    }

    void timersRunAsTheEngineSetsThem() {
        morvel::Game& game = started_->Engine();
        const QTimer& timer1 = started_->host->Timer(TimerId::Timer1);
        const QTimer& timer3 = started_->host->Timer(TimerId::Timer3);
        QVERIFY(!timer1.isActive());
        game.SetTimer(TimerId::Timer3, 300);
        QVERIFY(timer3.isActive());
        QCOMPARE(timer3.interval(), 300);
        QVERIFY(!timer1.isActive());
        game.SetTimer(TimerId::Timer3, 0);
        QVERIFY(!timer3.isActive());
    }

    void exitClosesTheTable() {
        Action("Exit1")->trigger();
        QVERIFY(!started_->Form1().isVisible());
    }
};

MORVEL_UI_TEST(TableWindowTest)
#include "table_window_test.moc"
