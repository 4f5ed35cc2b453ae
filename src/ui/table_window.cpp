#include "table_window.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "focus_outline.h"
#include "game.h"
#include "image_slot.h"
#include "keeper.h"
#include "pictures.h"
#include "player_options.h"
#include "qt_text.h"
#include "scaler.h"
#include "spoken.h"
#include "table_keys.h"
#include "table_layout.h"
#include "table_voice.h"
#include "texts.h"
#include "widgets.h"

namespace morvel {

namespace {

constexpr Qt::WindowStates kSettledStates =
    Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// A card as the person's hand, the board and the played slots show it.
constexpr QSize kCardSize(70, 82);

const char* Prefix(Family family) {
    switch (family) {
        case Family::I:
            return "i";
        case Family::J:
            return "j";
        case Family::K:
            return "k";
        case Family::P:
            return "p";
        case Family::Pig:
            return "pig";
        case Family::H:
            return "h";
        case Family::King:
            return "king";
    }
    return "";
}

QRect ToQRect(const Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

QRect ToQRect(const layout::Box& b) {
    return {b.left, b.top, b.width, b.height};
}

QFont Bold(QFont font, int pixels = 0) {
    if (pixels > 0) font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// A seat's name or the player's: white bold 13-pixel text on the table.
void NameLook(QLabel* label, const layout::Box& box) {
    label->setGeometry(ToQRect(box));
    label->setFont(Bold(label->font(), 13));
    SetColour(label, QPalette::WindowText, kWhite);
}

QLabel* NameLabel(const char* name, std::string_view caption, const layout::Box& box,
                  QWidget* parent) {
    auto* label = new QLabel(Caption(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop | Qt::AlignAbsolute);
    NameLook(label, box);
    return label;
}

// A game is in progress once a card has left a hand or a row of the sheet has been written.
bool GameInProgress(const GameState& s) {
    for (int n = 1; n <= 52; ++n) {
        if (s.hand[n].suit == kPlayed) return true;
    }
    for (int band = 1; band <= 4; ++band) {
        for (const SheetRow& row : s.sheet.Band(band).rows) {
            if (row.written) return true;
        }
    }
    return false;
}

// The size the table window asks for before it is maximised: the screen's room, unless the
// screen reports none or a size no window can have (as under a scale factor of 0).
QSize StartingSize(const QScreen* screen) {
    constexpr int kLargestSide = 1 << 15;
    const QSize room = screen != nullptr ? screen->availableGeometry().size() : QSize();
    if (room.width() <= 0 || room.height() <= 0 || room.width() > kLargestSide ||
        room.height() > kLargestSide)
        return kTableSize;
    return room;
}

// A white raised panel with a bold caption in `colour`.
QLabel* Panel(const char* name, const layout::Box& box, const QColor& colour, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setTextFormat(Qt::PlainText);
    panel->setGeometry(ToQRect(box));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter | Qt::AlignAbsolute);
    panel->setFont(Bold(panel->font()));
    panel->setAutoFillBackground(true);
    SetColour(panel, QPalette::Window, kWhite);
    SetColour(panel, QPalette::WindowText, colour);
    return panel;
}

QPushButton* Button(const char* name, std::string_view caption, const layout::Box& box,
                    QWidget* parent) {
    auto* button = new QPushButton(Caption(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(ToQRect(box));
    // Enter presses it, as Space does, when it has the focus.
    button->setAutoDefault(true);
    button->hide();
    return button;
}

}  // namespace

const QColor TForm1::kRefusedFlash(255, 0, 0, 110);
const QColor TForm1::kPlayableFlash(255, 255, 0, 120);

TForm1::TForm1(Game& game, const Pictures& pictures, QWidget* parent)
    : QMainWindow(parent),
      game_(game),
      pictures_(pictures),
      table_(new QWidget(this)),
      scaler_(new Scaler(table_, kTableSize, /*fit=*/true)),
      checkedSpeed_(kFastInterval) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(Caption(text::kWindowCaption));
    // Without a window manager (a bare X server) maximising does nothing; the whole screen as the
    // normal size keeps the table whole there too.
    resize(StartingSize(screen()));

    // The table is drawn on its green, and so is the room around it.
    table_->setAutoFillBackground(true);
    SetColour(table_, QPalette::Window,
              QColor(layout::kTableRed, layout::kTableGreen, layout::kTableBlue));
    setCentralWidget(table_);
    // The menu bar and the table cover the whole window: the window's own grey under them was an
    // eight-megabyte fill at 1920 x 1080 that nobody saw.
    setAttribute(Qt::WA_NoSystemBackground);

    CreateSlots();
    CreateControls();
    CreateMenu();
    keys_ = new TableKeys(*this, game_, cg_, passb_);
    voice_ = std::make_unique<TableVoice>(*this, game_);
    outline_ = new FocusOutline(table_);

    game_.AttachTable(model_);
    game_.FormCreate();
    Sync();
}

TForm1::~TForm1() = default;

void TForm1::CreateSlots() {
    // Later widgets lie above earlier ones: the board lowest, then the collections, the hands,
    // the played cards, the enlarged collection card, and the markers on top. Within a family a
    // higher slot lies above a lower one.
    static constexpr Family kStacking[] = {Family::K,   Family::J, Family::I,   Family::P,
                                           Family::Pig, Family::H, Family::King};
    for (Family family : kStacking) {
        for (int n = 1; n <= FamilySize(family); ++n) {
            auto* slot =
                new ImageSlot(QStringLiteral("%1%2").arg(QLatin1String(Prefix(family))).arg(n),
                              pictures_, table_);
            slots_[TableModel::Index(family, n)] = slot;
            // p2 is a little wider and lower than a card: it shows the card's own picture.
            if (family == Family::P) slot->SetPictureSize(kCardSize);
            if (family == Family::I && SeatOfEntry(n) == kHuman) {
                slot->setCursor(Qt::PointingHandCursor);
                // Reached by the keyboard only: a click plays the card without moving the focus.
                slot->setFocusPolicy(Qt::TabFocus);
                connect(slot, &ImageSlot::Clicked, this, [this, n] { HandClick(n); });
            } else if (family == Family::J) {
                slot->setCursor(Qt::PointingHandCursor);
                slot->setFocusPolicy(Qt::TabFocus);
                connect(slot, &ImageSlot::Pressed, this, [this, n] {
                    game_.CollectionMouseDown(n);
                    Sync();
                });
                connect(slot, &ImageSlot::Released, this, [this, n] {
                    game_.CollectionMouseUp(n);
                    Sync();
                });
            }
        }
    }
}

void TForm1::CreateControls() {
    auto* clear = new ImageSlot(QStringLiteral("clear"), pictures_, table_);
    clear->setGeometry(ToQRect(layout::kClear));
    auto* passcard = new ImageSlot(QStringLiteral("passcard"), pictures_, table_);
    passcard->setGeometry(ToQRect(layout::kPasscard));
    passcard->SetPicture(Picture::Pass());
    passcard->hide();
    clear->SetVoice([](const ImageSlot&, QAccessible::Text text) {
        return text == QAccessible::Name ? Say(text::kSpokenEmptyPlace) : QString();
    });
    passcard->SetVoice([](const ImageSlot&, QAccessible::Text text) {
        return text == QAccessible::Name ? Say(text::kSpokenPassCard) : QString();
    });

    NameLabel("Label1", text::kSeat4Name, layout::kLabel1, table_);
    NameLabel("Label2", text::kSeat3Name, layout::kLabel2, table_);
    NameLabel("Label3", text::kSeat2Name, layout::kLabel3, table_);
    nameplayer_ = new ElidedLabel("nameplayer", Qt::AlignRight | Qt::AlignTop, table_);
    NameLook(nameplayer_, layout::kNameplayer);
    panel1_ = Panel("Panel1", layout::kPanel1, kBlue, table_);
    namegame_ = Panel("namegame", layout::kNamegame, kRed, table_);

    cg_ = Button("cg", text::kChooseGameButton, layout::kCg, table_);
    connect(cg_, &QPushButton::clicked, this, [this] {
        game_.cgClick();
        Settled();
    });
    passb_ = Button("passb", text::kPassButton, layout::kPassb, table_);
    connect(passb_, &QPushButton::clicked, this, &TForm1::PassClick);

    // The slots are placed by the table model as it changes; everything else stands still.
    for (QWidget* control : table_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<ImageSlot*>(control) == nullptr || control == clear || control == passcard)
            scaler_->Add(control);
    }
}

void TForm1::CreateMenu() {
    auto item = [this](QMenu* menu, const char* name, std::string_view caption, int key) {
        auto* action = new QAction(Text(caption), this);
        action->setObjectName(QLatin1String(name));
        if (key != 0) action->setShortcut(QKeySequence(key));
        menu->addAction(action);
        return action;
    };
    auto openModal = [this](Deferred<QDialog> MenuWindows::*window) {
        return [this, window] {
            if (!(menuWindows_.*window)) return;
            ShowModal(*(menuWindows_.*window));
            Settled();
        };
    };

    QMenu* gameMenu = menuBar()->addMenu(Text(text::kMenuGame));
    complex1_ = item(gameMenu, "Complex1", text::kMenuComplex, Qt::Key_F2);
    normal1_ = item(gameMenu, "Normal1", text::kMenuNormal, Qt::Key_F3);
    QAction* exit1 = item(gameMenu, "Exit1", text::kMenuExit, Qt::Key_F10);
    connect(complex1_, &QAction::triggered, this, &TForm1::Complex1Click);
    connect(normal1_, &QAction::triggered, this, &TForm1::Normal1Click);
    connect(exit1, &QAction::triggered, this, &QWidget::close);

    QMenu* optionMenu = optionMenu_ = menuBar()->addMenu(Text(text::kMenuOption));
    QAction* result1 = item(optionMenu, "Result1", text::kMenuResult, Qt::Key_F4);
    QAction* n1 = item(optionMenu, "N1", text::kMenuDeckCard, Qt::Key_F5);
    QAction* lastCard1 = item(optionMenu, "LastCard1", text::kMenuLastShot, Qt::Key_F6);
    connect(result1, &QAction::triggered, this, openModal(&MenuWindows::result));
    connect(n1, &QAction::triggered, this, openModal(&MenuWindows::deckCard));
    connect(lastCard1, &QAction::triggered, this, openModal(&MenuWindows::lastShot));

    QMenu* speedMenu = optionMenu->addMenu(Text(text::kMenuSpeed));
    speedMenu->setObjectName(QStringLiteral("Timer2"));
    speedMenu->menuAction()->setObjectName(QStringLiteral("Timer2"));
    slow1_ = item(speedMenu, "Slow1", text::kMenuSlow, Qt::Key_F7);
    medium1_ = item(speedMenu, "Medium1", text::kMenuMedium, Qt::Key_F8);
    fast1_ = item(speedMenu, "Fast1", text::kMenuFast, Qt::Key_F9);
    connect(slow1_, &QAction::triggered, this, [this] { SpeedClick(kSlowInterval); });
    connect(medium1_, &QAction::triggered, this, [this] { SpeedClick(kMediumInterval); });
    connect(fast1_, &QAction::triggered, this, [this] { SpeedClick(kFastInterval); });
    pause1_ = item(optionMenu, "Pause1", text::kMenuPauseAfterRound, 0);
    playable1_ = item(optionMenu, "Playable1", text::kMenuShowPlayable, 0);
    for (QAction* option : {pause1_, playable1_}) {
        option->setCheckable(true);
        option->setChecked(true);
    }
    // The person's own change is kept with the other settings (not a change made at start-up).
    for (QAction* option : {pause1_, playable1_})
        connect(option, &QAction::triggered, this, &TForm1::Settled);
    connect(playable1_, &QAction::toggled, this, &TForm1::ShowPlayable);
    players_ = new PlayerOptions(game_, *this, *optionMenu);
    connect(players_, &PlayerOptions::Chosen, this, &TForm1::Settled);

    QMenu* helpMenu = menuBar()->addMenu(Text(text::kMenuHelp));
    QAction* about = item(helpMenu, "AboutMovel1", text::kMenuAbout, 0);
    QAction* help = item(helpMenu, "HelpMorvel1", text::kMenuHelpMorvel, Qt::Key_F1);
    connect(about, &QAction::triggered, this, openModal(&MenuWindows::about));
    connect(help, &QAction::triggered, this, openModal(&MenuWindows::help));

    for (QAction* action : {complex1_, normal1_, slow1_, medium1_, fast1_})
        action->setCheckable(true);
    ApplyChecks();

    // A menu opening takes the mouse from the table.
    for (QMenu* menu : {gameMenu, optionMenu, speedMenu, helpMenu})
        connect(menu, &QMenu::aboutToShow, this, &TForm1::ReleaseHeldSlots);
}

void TForm1::ApplyChecks() {
    normal1_->setChecked(normalChecked_);
    complex1_->setChecked(complexChecked_);
    slow1_->setChecked(checkedSpeed_ == kSlowInterval);
    medium1_->setChecked(checkedSpeed_ == kMediumInterval);
    fast1_->setChecked(checkedSpeed_ == kFastInterval);
}

bool TForm1::ConfirmNewGame() {
    if (!GameInProgress(game_.State())) return true;
    QMessageBox box(QMessageBox::Question, Text(text::kAppTitle), Text(text::kNewGameQuestion),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("NewGameQuestion"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    NameMessageParts(box);
    return box.exec() == QMessageBox::Yes;
}

void TForm1::Normal1Click() {
    ApplyChecks();
    if (!ConfirmNewGame()) return;
    game_.Normal1Click();
    normalChecked_ = true;
    complexChecked_ = false;
    ApplyChecks();
    Settled();
}

void TForm1::Complex1Click() {
    ApplyChecks();
    if (!ConfirmNewGame()) return;
    // Unlike Normal, Complex moves the check marks before it asks for the name.
    normalChecked_ = false;
    complexChecked_ = true;
    ApplyChecks();
    game_.Complex1Click();
    Settled();
}

void TForm1::SpeedClick(int interval) {
    game_.SetSpeed(interval);
    checkedSpeed_ = interval;
    ApplyChecks();
    Settled();
}

void TForm1::SetOptions(const Options& options) {
    pause1_->setChecked(options.pauseAfterRound);
    playable1_->setChecked(options.showPlayable);
    players_->ChooseNow(options.strongPlayers);
}

TForm1::Options TForm1::GetOptions() const {
    return {pause1_->isChecked(), playable1_->isChecked(), players_->StrongChosen()};
}

void TForm1::ShowChecks() {
    normalChecked_ = game_.State().menuMode == GameMode::Normal;
    complexChecked_ = !normalChecked_;
    checkedSpeed_ = game_.State().speedInterval;
    ApplyChecks();
}

void TForm1::HandClick(int entry) {
    const bool turn = game_.State().humanTurn;
    game_.HandSlotClick(entry);
    // The engine keeps the turn only when it refused the card.
    if (turn && game_.State().humanTurn && playable1_->isChecked())
        SlotWidget(Family::I, entry)->Flash(kRefusedFlash);
    Settled();
}

void TForm1::PassClick() {
    const bool turn = game_.State().humanTurn;
    game_.passbClick();
    if (turn && game_.State().humanTurn && playable1_->isChecked()) {
        // The pass was refused: these are the cards that can be laid.
        for (int entry = 40; entry <= 52; ++entry) {
            if (game_.WouldLay(entry)) SlotWidget(Family::I, entry)->Flash(kPlayableFlash);
        }
    }
    Settled();
}

void TForm1::ShowPlayable() {
    const bool dim = playable1_->isChecked() && game_.State().humanTurn;
    for (int entry = 40; entry <= 52; ++entry) {
        SlotWidget(Family::I, entry)
            ->SetDimmed(dim && game_.Table().Get(Family::I, entry).visible &&
                        !game_.WouldLay(entry));
    }
    voice_->AfterChanges();
}

void TForm1::ReleaseHeldSlots() {
    for (int n = 1; n <= FamilySize(Family::J); ++n)
        SlotWidget(Family::J, n)->CancelPress();
}

void TForm1::Sync() {
    TableModel& model = game_.MutableTable();
    for (int index = 0; index < TableModel::kSlotCount; ++index) {
        if (!model.SlotChanged(index)) continue;
        const Slot& slot =
            model.Get(TableModel::FamilyOfIndex(index), TableModel::NumberOfIndex(index));
        ImageSlot* widget = slots_[index];
        scaler_->Place(widget, ToQRect(slot.rect));
        widget->SetPicture(slot.picture);
        widget->setEnabled(slot.enabled);
        widget->setVisible(slot.visible);
    }
    if (model.ControlsChanged()) {
        panel1_->setText(Caption(model.Panel1()));
        namegame_->setText(Caption(model.Namegame()));
        namegame_->setVisible(model.NamegameVisible());
        // The typed name keeps the direction Qt guesses from its first letter.
        nameplayer_->SetName(Text(model.Nameplayer()));
        cg_->setVisible(model.CgVisible());
        passb_->setVisible(model.PassbVisible());
    }
    // The person's turn puts the focus on the hand (see TableKeys), whatever the engine asks.
    if (model.FocusRequests() != focusRequests_ && !keys_->TurnComing()) {
        switch (model.FocusedControl()) {
            case Focus::Cg:
                cg_->setFocus();
                break;
            case Focus::Passb:
                passb_->setFocus();
                break;
            case Focus::None:
                table_->setFocus();
                break;
        }
    }
    focusRequests_ = model.FocusRequests();
    model.TakeChanges();
    ShowPlayable();
    keys_->AfterChanges();
    // What covers the focused card may have changed.
    outline_->Follow();
    emit Synced();
}

void TForm1::Settled() {
    Sync();
    if (keeper_) keeper_->AfterEvent();
}

void TForm1::ShowModal(QDialog& window) {
    Sync();
    window.exec();
    Sync();
}

bool TForm1::event(QEvent* event) {
    switch (event->type()) {
        // A modal window opening, or another window taking over, ends the press: its release
        // would never reach the slot.
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate:
            ReleaseHeldSlots();
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

bool TForm1::focusNextPrevChild(bool next) {
    if (keys_ == nullptr) return QMainWindow::focusNextPrevChild(next);
    return keys_->FocusNextGroup(next);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // A kept game goes on at once, drawn in the table's first paint. Otherwise the start-up
    // sequence runs from the event loop, once every window exists and the table is on the screen,
    // and never again on later activations.
    if (keeper_ && keeper_->Resume()) {
        Settled();
        return;
    }
    QTimer::singleShot(0, this, [this] {
        if (keeper_) {
            keeper_->StartUp();
        } else {
            game_.FormActivate();
        }
        Settled();
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (keeper_) keeper_->AtExit();
    QMainWindow::closeEvent(event);
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    // The fixed layout belongs to a maximised table: a restored window goes back at once.
    // Minimising stays possible.
    if (!isVisible() || (windowState() & kSettledStates)) return;
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !(windowState() & kSettledStates)) showMaximized();
    });
}

}  // namespace morvel
