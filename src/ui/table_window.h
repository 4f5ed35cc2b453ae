// The green table window: every control at its designed place, the main menu, and the repaint of
// what the table model says has changed. It holds no rules; events go to the Game.
#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>

#include "table_model.h"

class QDialog;
class QLabel;
class QPushButton;

namespace morvel {

class Game;
class ImageSlot;
class Pictures;

class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    TForm1(Game& game, const Pictures& pictures, QWidget* parent = nullptr);

    // The windows the menu opens; they are created after the table window.
    struct MenuWindows {
        QDialog* result = nullptr;
        QDialog* deckCard = nullptr;
        QDialog* lastShot = nullptr;
        QDialog* about = nullptr;
        QDialog* help = nullptr;
    };
    void SetMenuWindows(const MenuWindows& windows) { menuWindows_ = windows; }

    // Brings the controls in line with what the table model changed, then clears its marks.
    void Sync();

    // Shows a window modally over an up-to-date table.
    void ShowModal(QDialog& window);

    ImageSlot* SlotWidget(Family family, int n) const {
        return slots_[TableModel::Index(family, n)];
    }

  signals:
    // The controls have caught up with the table model.
    void Synced();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void CreateSlots();
    void CreateControls();
    void CreateMenu();
    void ApplyChecks();
    void Normal1Click();
    void Complex1Click();
    void SpeedClick(int interval);

    Game& game_;
    TableModel model_;  // what the engine shows on this table
    const Pictures& pictures_;
    QWidget* table_;
    std::array<ImageSlot*, TableModel::kSlotCount> slots_{};
    QLabel* nameplayer_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* namegame_ = nullptr;
    QPushButton* cg_ = nullptr;
    QPushButton* passb_ = nullptr;

    QAction* complex1_ = nullptr;
    QAction* normal1_ = nullptr;
    QAction* slow1_ = nullptr;
    QAction* medium1_ = nullptr;
    QAction* fast1_ = nullptr;
    // The check marks as the handlers set them; Qt flips a checkable item on its own before the
    // handler runs, and the handler puts this back first.
    bool normalChecked_ = true;
    bool complexChecked_ = false;
    int checkedSpeed_;

    MenuWindows menuWindows_;
    uint32_t focusRequests_ = 0;
    bool activated_ = false;
};

}  // namespace morvel
