// The green table window: every control at its designed place, drawn as large as the window
// allows; the main menu; and the repaint of what the table model says has changed. It holds no
// rules; events go to the Game.
#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

#include "deferred.h"
#include "table_model.h"

class QDialog;
class QLabel;
class QPushButton;

namespace morvel {

class ElidedLabel;
class FocusOutline;
class Game;
class ImageSlot;
class Keeper;
class PlayerOptions;
class Pictures;
class Scaler;
class TableKeys;
class TableVoice;

// The table's design: 640 x 440 pixels of client area.
inline constexpr QSize kTableSize(640, 440);

class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    TForm1(Game& game, const Pictures& pictures, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows the menu opens; they are made after the table window, when first wanted.
    struct MenuWindows {
        Deferred<QDialog> result;
        Deferred<QDialog> deckCard;
        Deferred<QDialog> lastShot;
        Deferred<QDialog> about;
        Deferred<QDialog> help;
    };
    void SetMenuWindows(const MenuWindows& windows) { menuWindows_ = windows; }

    // What the person has set in the Option menu; the two check items are on at start, and the
    // computer players standard.
    struct Options {
        bool pauseAfterRound = true;
        bool showPlayable = true;
        bool strongPlayers = false;
    };
    // Read off the menu's check marks.
    Options GetOptions() const;
    // Sets the items as the person would, check marks included; the computer players chosen play
    // from the next card on, as this is for the start of a run.
    void SetOptions(const Options& options);

    // Brings the controls in line with what the table model changed, then clears its marks.
    void Sync();
    // An event of the game is over: the table repaints, and the game is kept if the person asks
    // for that.
    void Settled();

    // The keeping of settings and game, when the program has one; its item goes in OptionMenu.
    void SetKeeper(Keeper* keeper) { keeper_ = keeper; }
    QMenu* OptionMenu() const { return optionMenu_; }
    // The menu's check marks as the game's mode and speed are.
    void ShowChecks();

    // Shows a window modally over an up-to-date table.
    void ShowModal(QDialog& window);

    ImageSlot* SlotWidget(Family family, int n) const {
        return slots_[TableModel::Index(family, n)];
    }
    // Lays the table out; side windows follow its factor.
    Scaler& TableScaler() const { return *scaler_; }
    // The keyboard's way round the table, what a screen reader hears of it, and the ring around
    // the control with the focus.
    TableKeys& Keys() const { return *keys_; }
    TableVoice& Voice() const { return *voice_; }
    FocusOutline& Outline() const { return *outline_; }

    // The colours of the answers to a refused card or pass.
    static const QColor kRefusedFlash;
    static const QColor kPlayableFlash;

  signals:
    // The controls have caught up with the table model.
    void Synced();

  protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateSlots();
    void CreateControls();
    void CreateMenu();
    void ApplyChecks();
    void Normal1Click();
    void Complex1Click();
    void SpeedClick(int interval);
    void HandClick(int entry);
    void PassClick();
    // A new game from the menu throws the game in progress away only when the person says so.
    bool ConfirmNewGame();
    void ShowPlayable();
    // The person's button is no longer held over a taken card: its enlarged picture goes.
    void ReleaseHeldSlots();

    Game& game_;
    TableModel model_;  // what the engine shows on this table
    const Pictures& pictures_;
    QWidget* table_;
    Scaler* scaler_;
    std::array<ImageSlot*, TableModel::kSlotCount> slots_{};
    ElidedLabel* nameplayer_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* namegame_ = nullptr;
    QPushButton* cg_ = nullptr;
    QPushButton* passb_ = nullptr;
    TableKeys* keys_ = nullptr;
    std::unique_ptr<TableVoice> voice_;
    FocusOutline* outline_ = nullptr;

    QAction* complex1_ = nullptr;
    QAction* normal1_ = nullptr;
    QAction* slow1_ = nullptr;
    QAction* medium1_ = nullptr;
    QAction* fast1_ = nullptr;
    QAction* pause1_ = nullptr;
    PlayerOptions* players_ = nullptr;
    QAction* playable1_ = nullptr;
    // The check marks as the handlers set them; Qt flips a checkable item on its own before the
    // handler runs, and the handler puts this back first.
    bool normalChecked_ = true;
    bool complexChecked_ = false;
    int checkedSpeed_;

    MenuWindows menuWindows_;
    QMenu* optionMenu_ = nullptr;
    Keeper* keeper_ = nullptr;
    uint32_t focusRequests_ = 0;
    bool activated_ = false;
};

}  // namespace morvel
