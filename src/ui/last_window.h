// The last-round window (F6): the four cards of the round just taken, or the last four layout
// moves, each beside its seat.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace morvel {

class ElidedLabel;
class Game;
class ImageSlot;
class Pictures;
class QtHost;

class Tlastform : public QDialog {
    Q_OBJECT

  public:
    Tlastform(const Game& game, const Pictures& pictures, const QtHost& host,
              QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The image of a seat: seat 1 l3, seat 2 l4, seat 3 l1, seat 4 l2.
    ImageSlot* SeatImage(int seat) const;
    void ShowLastRound();

    const Game& game_;
    std::array<ImageSlot*, 4> images_{};  // l1..l4
    ElidedLabel* n4_;
    QPushButton* bitBtn1_;
};

}  // namespace morvel
