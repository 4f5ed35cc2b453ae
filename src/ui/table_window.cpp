#include "table_window.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "game.h"
#include "image_slot.h"
#include "pictures.h"
#include "player_options.h"
#include "qt_text.h"
#include "table_layout.h"
#include "texts.h"

namespace morvel {

namespace {

constexpr Qt::WindowStates kSettledStates =
    Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

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
QLabel* NameLabel(const char* name, std::string_view caption, const layout::Box& box,
                  Qt::Alignment alignment, QWidget* parent) {
    auto* label = new QLabel(Caption(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(ToQRect(box));
    label->setFont(Bold(label->font(), 13));
    label->setAlignment(alignment | Qt::AlignTop);
    SetColour(label, QPalette::WindowText, kWhite);
    return label;
}

// A white raised panel with a bold caption in `colour`.
QLabel* Panel(const char* name, const layout::Box& box, const QColor& colour, QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(ToQRect(box));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
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
    button->hide();
    return button;
}

}  // namespace

TForm1::TForm1(Game& game, const Pictures& pictures, QWidget* parent)
    : QMainWindow(parent),
      game_(game),
      pictures_(pictures),
      table_(new QWidget(this)),
      checkedSpeed_(kFastInterval) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(Caption(text::kWindowCaption));
    // Without a window manager (a bare X server) maximising does nothing; the whole screen as the
    // normal size keeps the table whole there too.
    resize(screen()->availableGeometry().size());

    table_->setAutoFillBackground(true);
    SetColour(table_, QPalette::Window,
              QColor(layout::kTableRed, layout::kTableGreen, layout::kTableBlue));
    setCentralWidget(table_);

    CreateSlots();
    CreateControls();
    CreateMenu();

    game_.AttachTable(model_);
    game_.FormCreate();
    Sync();
}

void TForm1::CreateSlots() {
    // Later widgets lie above earlier ones: the board lowest, then the collections, the hands,
    // the played cards, the enlarged collection card, and the markers on top. Within a family a
    // higher slot lies above a lower one.
    static constexpr Family kStacking[] = {Family::K,   Family::J, Family::I,   Family::P,
                                           Family::Pig, Family::H, Family::King};
    for (Family family : kStacking) {
        for (int n = 1; n <= FamilySize(family); ++n) {
            auto* slot = new ImageSlot(
                QStringLiteral("%1%2").arg(QLatin1String(Prefix(family))).arg(n), table_);
            slots_[TableModel::Index(family, n)] = slot;
            if (family == Family::I && SeatOfEntry(n) == kHuman) {
                slot->setCursor(Qt::PointingHandCursor);
                connect(slot, &ImageSlot::Clicked, this, [this, n] {
                    game_.HandSlotClick(n);
                    Sync();
                });
            } else if (family == Family::J) {
                slot->setCursor(Qt::PointingHandCursor);
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
    auto* clear = new ImageSlot(QStringLiteral("clear"), table_);
    clear->setGeometry(ToQRect(layout::kClear));
    auto* passcard = new ImageSlot(QStringLiteral("passcard"), table_);
    passcard->setGeometry(ToQRect(layout::kPasscard));
    passcard->SetPicture(Picture::Pass(), pictures_.Get(Picture::Pass()));
    passcard->hide();

    NameLabel("Label1", text::kSeat4Name, layout::kLabel1, Qt::AlignHCenter, table_);
    NameLabel("Label2", text::kSeat3Name, layout::kLabel2, Qt::AlignHCenter, table_);
    NameLabel("Label3", text::kSeat2Name, layout::kLabel3, Qt::AlignHCenter, table_);
    nameplayer_ = NameLabel("nameplayer", "", layout::kNameplayer, Qt::AlignRight, table_);
    panel1_ = Panel("Panel1", layout::kPanel1, kBlue, table_);
    namegame_ = Panel("namegame", layout::kNamegame, kRed, table_);

    cg_ = Button("cg", text::kChooseGameButton, layout::kCg, table_);
    connect(cg_, &QPushButton::clicked, this, [this] {
        game_.cgClick();
        Sync();
    });
    passb_ = Button("passb", text::kPassButton, layout::kPassb, table_);
    connect(passb_, &QPushButton::clicked, this, [this] {
        game_.passbClick();
        Sync();
    });
}

void TForm1::CreateMenu() {
    auto item = [this](QMenu* menu, const char* name, std::string_view caption, int key) {
        auto* action = new QAction(Text(caption), this);
        action->setObjectName(QLatin1String(name));
        if (key != 0) action->setShortcut(QKeySequence(key));
        menu->addAction(action);
        return action;
    };
    auto openModal = [this](QDialog* MenuWindows::*window) {
        return [this, window] {
            if (menuWindows_.*window != nullptr) ShowModal(*(menuWindows_.*window));
        };
    };

    QMenu* gameMenu = menuBar()->addMenu(Text(text::kMenuGame));
    complex1_ = item(gameMenu, "Complex1", text::kMenuComplex, Qt::Key_F2);
    normal1_ = item(gameMenu, "Normal1", text::kMenuNormal, Qt::Key_F3);
    QAction* exit1 = item(gameMenu, "Exit1", text::kMenuExit, Qt::Key_F10);
    connect(complex1_, &QAction::triggered, this, &TForm1::Complex1Click);
    connect(normal1_, &QAction::triggered, this, &TForm1::Normal1Click);
    connect(exit1, &QAction::triggered, this, &QWidget::close);

    QMenu* optionMenu = menuBar()->addMenu(Text(text::kMenuOption));
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
    new PlayerOptions(game_, *this, *optionMenu);

    QMenu* helpMenu = menuBar()->addMenu(Text(text::kMenuHelp));
    QAction* about = item(helpMenu, "AboutMovel1", text::kMenuAbout, 0);
    QAction* help = item(helpMenu, "HelpMorvel1", text::kMenuHelpMorvel, Qt::Key_F1);
    connect(about, &QAction::triggered, this, openModal(&MenuWindows::about));
    connect(help, &QAction::triggered, this, openModal(&MenuWindows::help));

    for (QAction* action : {complex1_, normal1_, slow1_, medium1_, fast1_})
        action->setCheckable(true);
    ApplyChecks();
}

void TForm1::ApplyChecks() {
    normal1_->setChecked(normalChecked_);
    complex1_->setChecked(complexChecked_);
    slow1_->setChecked(checkedSpeed_ == kSlowInterval);
    medium1_->setChecked(checkedSpeed_ == kMediumInterval);
    fast1_->setChecked(checkedSpeed_ == kFastInterval);
}

void TForm1::Normal1Click() {
    ApplyChecks();
    game_.Normal1Click();
    normalChecked_ = true;
    complexChecked_ = false;
    ApplyChecks();
    Sync();
}

void TForm1::Complex1Click() {
    // Unlike Normal, Complex moves the check marks before it asks for the name.
    normalChecked_ = false;
    complexChecked_ = true;
    ApplyChecks();
    game_.Complex1Click();
    Sync();
}

void TForm1::SpeedClick(int interval) {
    game_.SetSpeed(interval);
    checkedSpeed_ = interval;
    ApplyChecks();
}

void TForm1::Sync() {
    TableModel& model = game_.MutableTable();
    for (int index = 0; index < TableModel::kSlotCount; ++index) {
        if (!model.SlotChanged(index)) continue;
        const Slot& slot =
            model.Get(TableModel::FamilyOfIndex(index), TableModel::NumberOfIndex(index));
        ImageSlot* widget = slots_[index];
        widget->setGeometry(ToQRect(slot.rect));
        widget->SetPicture(slot.picture, pictures_.Get(slot.picture));
        widget->setEnabled(slot.enabled);
        widget->setVisible(slot.visible);
    }
    if (model.ControlsChanged()) {
        panel1_->setText(Caption(model.Panel1()));
        namegame_->setText(Caption(model.Namegame()));
        namegame_->setVisible(model.NamegameVisible());
        // The typed name keeps the direction Qt guesses from its first letter.
        nameplayer_->setText(Text(model.Nameplayer()));
        cg_->setVisible(model.CgVisible());
        passb_->setVisible(model.PassbVisible());
    }
    if (model.FocusRequests() != focusRequests_) {
        focusRequests_ = model.FocusRequests();
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
    model.TakeChanges();
    emit Synced();
}

void TForm1::ShowModal(QDialog& window) {
    Sync();
    window.exec();
    Sync();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // The start-up sequence runs from the event loop, once every window exists and the table is
    // on the screen, and never again on later activations.
    QTimer::singleShot(0, this, [this] {
        game_.FormActivate();
        Sync();
    });
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
